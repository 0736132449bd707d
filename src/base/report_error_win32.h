#pragma once

// Shows the message with the system's description of the calling thread's
// last error in a message box (caption "Error", exclamation icon).
void ReportLastError(const char* message);
