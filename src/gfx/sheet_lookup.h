// Which picture of the catalogue a SheetRef names.
#pragma once

#include "gfx/image.h"
#include "gfx/painter.h"
#include "gfx/resource_catalogue.h"

// The picture of the sheet, or nullptr when the set is not in the catalogue,
// the zoom is neither 1 nor 2, or the picture is empty (its file could not be
// read). A nullptr sheet draws nothing.
const Image* FindSheet(const ResourceCatalogue& catalogue, const SheetRef& sheet);
