// The game's characters, drawn with shapes at any size so that the same
// figures appear in the sprites, the story pictures and the instructions.
#pragma once
#include "canvas.h"

namespace art {

enum class Look { Left, Right, Front, Hurt, Happy, Angry, Sleep, Bonked };

// Mub, the round red face; r is the radius of the head. Bonked: eyes
// squeezed shut, an "ouch" mouth and a bump on the top right of the head.
void draw_mub(Canvas& c, double cx, double cy, double r, Look look);

struct CrabColors {
    Color body, dark, light;
};
CrabColors cyan_crab();
CrabColors boss_crab(int row);  // 0 green, 1 yellow, 2 red

// A crab centred at (cx, cy) with body half-width r. pose 0/1: walking legs;
// claws: 0 down, 1 raised, 2 raised high; broken 0 whole, 1 cracked, 2 apart.
struct CrabPose {
    int legs = 0;
    int claws = 1;
    int broken = 0;
    Look look = Look::Front;
    bool crown = false;
};
void draw_crab(Canvas& c, double cx, double cy, double r, const CrabColors& col, const CrabPose& pose);

void draw_heart(Canvas& c, double cx, double cy, double r, Color fill, Color edge);
void draw_heart_edge(Canvas& c, double cx, double cy, double r, Color fill, Color edge);

// A pile of dung; kind 0 yellow, 1 red, 2 grey (steaming, drawn without steam).
void draw_pile(Canvas& c, double cx, double bottom, double r, int kind);
void draw_steam(Canvas& c, double cx, double top, double h, Color col);

void draw_candle(Canvas& c, int x, int y, int w, int h, int flame_phase);

// A hole in the seabed, seen at a slant, centred at (cx, cy).
void draw_hole_back(Canvas& c, double cx, double cy, double rx, double ry);
void draw_hole_front(Canvas& c, double cx, double cy, double rx, double ry);

// A flash of light (an eight-point star).
void draw_flash(Canvas& c, double cx, double cy, double r, Color outer, Color inner);
// A five-pointed star with a dark edge, r to its points.
void draw_star(Canvas& c, double cx, double cy, double r, Color fill, Color edge);
// A small fish for the sea scenes; dir -1 faces left.
void draw_fish(Canvas& c, double cx, double cy, double s, int dir, Color body, Color fin);
void draw_seaweed(Canvas& c, double x, double bottom, double h, double phase, Color col, Color dark);
void draw_bubble(Canvas& c, double cx, double cy, double r);

}  // namespace art
