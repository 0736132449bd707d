#include "gfx/sheet_lookup.h"

const Image* FindSheet(const ResourceCatalogue& catalogue, const SheetRef& sheet) {
  if (sheet.zoom != 1 && sheet.zoom != 2) return nullptr;
  const bool doubled = sheet.zoom == 2;
  const Image* image = nullptr;
  if (sheet.kind == SheetKind::Pattern) {
    if (const PatternSet* set = catalogue.PatternSetAt(sheet.index))
      image = &(doubled ? set->doubled : set->normal).Get();
  } else if (const SpriteSet* set = catalogue.SpriteSetAt(sheet.index)) {
    if (sheet.kind == SheetKind::SpriteColour)
      image = &(doubled ? set->colourDouble : set->colour).Get();
    else
      image = &(doubled ? set->maskDouble : set->mask).Get();
  }
  return image != nullptr && !image->Empty() ? image : nullptr;
}
