// Painting the main window: captions, cell inspector, palette, the level
// canvas (composed off screen, copied in one transfer), the player and enemy
// images and the selection frame, steered by repaintFlags.
#pragma once

class Painter;
class Level;
class ActorRecord;
struct Editor;

// The WM_PAINT body between BeginPaint and EndPaint. Returns 1.
int PaintMainWindow(Editor& state, Painter& painter);

// The level's cells and actors at client coordinates (canvas origin from region 1004).
void DrawLevelGrid(const Editor& state, const Level& level, Painter& painter);
void DrawActor(const Editor& state, const Level& level, const ActorRecord& actor,
               Painter& painter);
// Links between the two ends of each complete teleport pair; pair `highlighted` white.
void DrawTeleportLinks(const Editor& state, const Level& level, Painter& painter,
                       int highlighted);
// A white frame around the box at (z x, z y) of z w x z h, its outermost pixels included.
void DrawSelectionFrame(Painter& painter, int z, int x, int y, int w, int h);
