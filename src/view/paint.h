// Painting the main window: captions, cell inspector, palette, the level
// canvas (composed off screen, copied in one transfer), the player and enemy
// images and the selection frame, steered by repaintFlags.
#pragma once

class Painter;
class Level;
struct ActorRecord;
struct EditorState;

// The WM_PAINT body between BeginPaint and EndPaint. Returns 1.
int PaintMainWindow(EditorState& state, Painter& painter);

// The level's cells and actors at client coordinates (canvas origin from region 1004).
void DrawLevelGrid(const EditorState& state, const Level& level, Painter& painter);
void DrawActor(const EditorState& state, const Level& level, const ActorRecord& actor,
               Painter& painter);
// Links between the two ends of each complete teleport pair; pair `highlighted` white.
void DrawTeleportLinks(const EditorState& state, const Level& level, Painter& painter,
                       int highlighted);
// A white frame around the box at (z x, z y) of z w x z h, its outermost pixels included.
void DrawSelectionFrame(Painter& painter, int z, int x, int y, int w, int h);
