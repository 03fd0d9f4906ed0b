// The 32 x 32 map tiles of vorn3. Ground tiles are opaque; the others leave
// the transparent colour around their shapes. Large things (trees, huts,
// pillars) are drawn whole and cut into tiles for the background, foreground
// and top layers, so the player walks behind a tree's crown and a roof.
#include <string>

#include "tools/vorn3gen/Art.h"

namespace vorn3gen {

namespace {

constexpr int kTile = 32;

void Put(Output& out, const std::string& name, const Canvas& tile) {
    out.WritePng("tiles/" + name + ".png", tile);
}

// Cuts `picture` into tiles named prefix_row_column.
void PutSlices(Output& out, const std::string& prefix, const Canvas& picture) {
    for (int row = 0; row * kTile < picture.Height(); ++row)
        for (int col = 0; col * kTile < picture.Width(); ++col)
            Put(out, prefix + "_" + std::to_string(row) + "_" + std::to_string(col),
                picture.Cut(col * kTile, row * kTile, kTile, kTile));
}

Canvas Grass(uint32_t seed, bool flowers) {
    Rng rng(seed);
    Canvas t(kTile, kTile, 0x4E9A3C);
    t.Speckle(rng, 0, 0, kTile, kTile, 60, 0x448A34);
    t.Speckle(rng, 0, 0, kTile, kTile, 30, 0x5FAE48);
    for (int i = 0; i < 9; ++i) {  // blades
        const int x = rng.Below(kTile), y = 2 + rng.Below(kTile - 2);
        t.Set(x, y, 0x3A7A2C);
        t.Set(x, y - 1, 0x6CBC52);
    }
    if (flowers) {
        const Colour petals[] = {0xF4E04A, 0xF2F2F2, 0xE86A8A, 0xB08AE8};
        for (int i = 0; i < 5; ++i) {
            const int x = 3 + rng.Below(kTile - 6), y = 3 + rng.Below(kTile - 6);
            const Colour c = petals[rng.Below(4)];
            t.Set(x - 1, y, c);
            t.Set(x + 1, y, c);
            t.Set(x, y - 1, c);
            t.Set(x, y + 1, c);
            t.Set(x, y, 0xF8B030);
        }
    }
    return t;
}

Canvas Dirt(uint32_t seed, Colour base) {
    Rng rng(seed);
    Canvas t(kTile, kTile, base);
    t.Speckle(rng, 0, 0, kTile, kTile, 70, Shade(base, 0.85));
    t.Speckle(rng, 0, 0, kTile, kTile, 35, Shade(base, 1.15));
    for (int i = 0; i < 4; ++i) {  // pebbles
        const int x = rng.Below(kTile - 2), y = rng.Below(kTile - 2);
        t.FillRect(x, y, 2, 2, Shade(base, 0.7));
        t.Set(x, y, Shade(base, 1.3));
    }
    return t;
}

Canvas Water(uint32_t seed) {
    Rng rng(seed);
    Canvas t(kTile, kTile, 0x2A5FB0);
    t.Speckle(rng, 0, 0, kTile, kTile, 40, 0x2656A2);
    for (int i = 0; i < 5; ++i) {  // wave crests
        const int x = rng.Below(kTile - 8), y = 2 + rng.Below(kTile - 4);
        t.Line(x, y, x + 2, y - 1, 0x5C8EDA);
        t.Line(x + 3, y - 1, x + 5, y, 0x5C8EDA);
        t.Set(x + 6, y + 1, 0x2A4E90);
    }
    return t;
}

Canvas Cobbles(uint32_t seed, Colour stone, Colour mortar) {
    Rng rng(seed);
    Canvas t(kTile, kTile, mortar);
    for (int row = 0; row < 4; ++row) {
        const int offset = (row % 2) * 5;
        for (int x = -offset; x < kTile; x += 10) {
            const Colour c = Shade(stone, 0.9 + 0.2 * (rng.Below(100) / 100.0));
            t.FillRect(x + 1, row * 8 + 1, 8, 6, c);
            t.FillRect(x + 1, row * 8 + 1, 8, 1, Shade(c, 1.15));
        }
    }
    t.Speckle(rng, 0, 0, kTile, kTile, 20, Shade(stone, 0.75));
    return t;
}

Canvas Rock(uint32_t seed, Colour base, bool lightTop) {
    Rng rng(seed);
    Canvas t(kTile, kTile, Shade(base, 0.8));
    for (int i = 0; i < 7; ++i) {  // boulders of the rock face
        const double cx = rng.Below(kTile), cy = rng.Below(kTile);
        const double r = 6 + rng.Below(6);
        t.FillCircle(cx, cy, r, Shade(base, 0.9 + rng.Below(30) / 100.0));
        t.FillCircle(cx - 2, cy - 2, r / 3, Shade(base, 1.2));
    }
    t.Speckle(rng, 0, 0, kTile, kTile, 40, Shade(base, 0.6));
    if (lightTop) {
        t.FillRect(0, 0, kTile, 5, Shade(base, 1.25));
        t.Speckle(rng, 0, 0, kTile, 5, 12, 0x4E9A3C);
        t.FillRect(0, 5, kTile, 1, Shade(base, 0.55));
    }
    return t;
}

Canvas Bricks(uint32_t seed, Colour brick) {
    Rng rng(seed);
    Canvas t(kTile, kTile, Shade(brick, 0.45));
    for (int row = 0; row < 4; ++row) {
        const int offset = (row % 2) * 8;
        for (int x = -offset; x < kTile; x += 16) {
            const Colour c = Shade(brick, 0.85 + 0.3 * (rng.Below(100) / 100.0));
            t.FillRect(x + 1, row * 8 + 1, 14, 6, c);
            t.FillRect(x + 1, row * 8 + 1, 14, 1, Shade(c, 1.2));
        }
    }
    t.Speckle(rng, 0, 0, kTile, kTile, 25, Shade(brick, 0.6));
    return t;
}

Canvas Moss(Canvas t, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < 5; ++i) {
        const int x = rng.Below(kTile), y = rng.Below(kTile);
        const int rx = 2 + rng.Below(4), ry = 2 + rng.Below(3);
        t.FillEllipse(x, y, rx, ry, 0x5A8A3A);
    }
    t.Speckle(rng, 0, 0, kTile, kTile, 30, 0x4A7A30);
    return t;
}

Canvas Tree() {
    Rng rng(11);
    Canvas t(2 * kTile, 3 * kTile);
    t.FillEllipse(32, 88, 20, 5, 0x2F6A24);  // shadow on the grass
    t.FillRect(26, 46, 12, 44, 0x6B4423);    // trunk
    t.FillRect(26, 46, 3, 44, 0x845730);
    t.FillRect(35, 46, 3, 44, 0x50321A);
    t.FillRect(22, 86, 6, 4, 0x6B4423);  // roots
    t.FillRect(36, 86, 6, 4, 0x6B4423);
    t.FillEllipse(32, 34, 31, 30, 0x1F5A22);  // crown
    t.FillEllipse(32, 32, 29, 28, 0x2E7A2E);
    for (int i = 0; i < 26; ++i) {  // leaf clusters lit from the top left
        const double cx = 10 + rng.Below(44), cy = 8 + rng.Below(46);
        const double light = (64 - cx - cy) / 64.0;
        t.FillCircle(cx, cy, 4 + rng.Below(4), light > 0 ? 0x3E9638 : 0x286C28);
    }
    t.Speckle(rng, 8, 6, 48, 50, 60, 0x58B048);
    t.OutlineShapes(0x173C16);
    return t;
}

Canvas Hut() {
    Rng rng(12);
    Canvas t(3 * kTile, 3 * kTile);
    t.FillRect(6, 38, 84, 56, 0xC8A46A);  // plastered walls with timber frame
    t.Speckle(rng, 6, 38, 84, 56, 120, 0xB8945C);
    for (int x : {6, 30, 62, 86})
        t.FillRect(x, 38, 4, 56, 0x6B4423);
    t.FillRect(6, 62, 84, 3, 0x6B4423);
    t.FillRect(38, 64, 20, 30, 0x5A3418);  // door
    t.FillRect(40, 66, 16, 28, 0x7A4A24);
    t.Set(53, 80, 0xE8C040);
    t.FillRect(12, 44, 14, 12, 0x40301C);  // windows with warm light
    t.FillRect(14, 46, 10, 8, 0xF0C860);
    t.FillRect(68, 44, 14, 12, 0x40301C);
    t.FillRect(70, 46, 10, 8, 0xF0C860);
    for (int y = 0; y < 42; ++y) {  // thatched roof
        const int half = 20 + y * 28 / 42;
        for (int x = 48 - half; x < 48 + half; ++x) {
            const bool stripe = ((x + y / 3) % 6) == 0;
            t.Set(x, y + 2, stripe ? 0x8A5A22 : (y % 5 == 0 ? 0xB07A34 : 0xC08A40));
        }
    }
    t.FillRect(66, 0, 10, 14, 0x7A7A80);  // chimney
    t.FillRect(66, 0, 10, 2, 0x5A5A60);
    t.OutlineShapes(0x2A1A0C);
    return t;
}

Canvas Pillar() {
    Rng rng(13);
    Canvas t(kTile, 3 * kTile);
    t.FillEllipse(16, 92, 14, 4, 0x3C3A36);  // shadow
    t.FillRect(8, 8, 16, 84, 0xB0AA9C);
    t.FillRect(8, 8, 4, 84, 0xCAC4B4);
    t.FillRect(20, 8, 4, 84, 0x8A8476);
    for (int y = 14; y < 88; y += 10)
        t.FillRect(12, y, 8, 1, 0x9A9486);  // flutes
    t.FillRect(4, 0, 24, 8, 0xC0BAAC);      // capital and base
    t.FillRect(4, 84, 24, 8, 0xA09A8C);
    t.Speckle(rng, 8, 8, 16, 80, 30, 0x7A9A5A);  // moss
    t.OutlineShapes(0x3A3630);
    return t;
}

Canvas Object(uint32_t seed, int kind) {
    Rng rng(seed);
    Canvas t(kTile, kTile);
    switch (kind) {
        case 0:  // bush
            t.FillEllipse(16, 20, 14, 11, 0x2E7A2E);
            for (int i = 0; i < 10; ++i) {
                const int x = 6 + rng.Below(20), y = 12 + rng.Below(14);
                t.FillCircle(x, y, 3, 0x3E9638);
            }
            t.Set(10, 16, 0xE04040);
            t.Set(20, 22, 0xE04040);
            t.Set(15, 13, 0xE04040);
            break;
        case 1:  // rock
            t.FillEllipse(16, 22, 13, 9, 0x7C7C84);
            t.FillEllipse(13, 19, 7, 5, 0x9A9AA2);
            t.Speckle(rng, 5, 15, 22, 14, 20, 0x64646C);
            break;
        case 2:  // fence
            t.FillRect(0, 12, kTile, 4, 0x8A5A2C);
            t.FillRect(0, 21, kTile, 4, 0x8A5A2C);
            t.FillRect(3, 6, 5, 24, 0x6B4423);
            t.FillRect(24, 6, 5, 24, 0x6B4423);
            t.FillRect(3, 6, 5, 2, 0x9A6A38);
            t.FillRect(24, 6, 5, 2, 0x9A6A38);
            break;
        case 3:  // sign
            t.FillRect(14, 16, 4, 14, 0x6B4423);
            t.FillRect(4, 4, 24, 14, 0x9A6A38);
            t.FillRect(4, 4, 24, 2, 0xB88A50);
            for (int y = 8; y < 16; y += 3)
                t.FillRect(8, y, 16, 1, 0x4A2A10);
            break;
        case 4:  // well
            t.FillEllipse(16, 20, 14, 10, 0x8A8A90);
            t.FillEllipse(16, 19, 10, 6, 0x1A2A50);
            t.FillRect(3, 2, 3, 18, 0x6B4423);
            t.FillRect(26, 2, 3, 18, 0x6B4423);
            t.FillRect(2, 1, 28, 3, 0x8A5A2C);
            t.FillRect(15, 4, 2, 10, 0xC0A070);
            break;
        case 5:  // stalagmite
            for (int y = 0; y < 26; ++y) {
                const int half = 1 + y * 8 / 26;
                t.FillRect(16 - half, 4 + y, 2 * half, 1, y % 4 == 0 ? 0x6A5E52 : 0x7E7266);
            }
            t.FillRect(16, 8, 2, 20, 0x9A8E80);
            break;
        case 6:  // bones
            t.FillRect(6, 20, 14, 3, 0xE8E4D4);
            t.FillCircle(6, 20, 2.5, 0xE8E4D4);
            t.FillCircle(20, 23, 2.5, 0xE8E4D4);
            t.FillCircle(22, 12, 5, 0xE8E4D4);  // skull
            t.FillRect(20, 11, 2, 2, 0x2A2A2A);
            t.FillRect(24, 11, 2, 2, 0x2A2A2A);
            break;
        case 7:  // glowing crystal
            t.FillRect(12, 10, 8, 18, 0x8A4AD8);
            t.FillRect(8, 16, 5, 12, 0x6A34B0);
            t.FillRect(20, 14, 5, 14, 0x7A40C8);
            t.FillRect(13, 11, 2, 14, 0xD0A8FF);
            t.FillEllipse(16, 28, 11, 3, 0x4A3A5A);
            break;
        case 8:  // rune circle on the ground: steps onto it teleport
            t.FillEllipse(16, 17, 14, 10, 0x5A6A7A);
            t.FillEllipse(16, 17, 11, 7.5, 0x7A8A9A);
            t.FillEllipse(16, 17, 8, 5, 0x3A4A5A);
            t.Line(11, 17, 21, 17, 0x60E0F0);
            t.Line(16, 13, 16, 21, 0x60E0F0);
            t.Line(12, 14, 20, 20, 0x60E0F0);
            t.Set(5, 17, 0x60E0F0);
            t.Set(27, 17, 0x60E0F0);
            break;
        case 9:  // spikes trap
            t.FillRect(3, 20, 26, 8, 0x5A5048);
            for (int x = 5; x < 28; x += 6)
                for (int y = 0; y < 10; ++y)
                    t.FillRect(x + y / 4, 10 + y, 4 - y / 3, 1, 0xB8B8C0);
            break;
        case 10:  // altar
            t.FillRect(2, 12, 28, 18, 0x9A948A);
            t.FillRect(2, 12, 28, 3, 0xC0BAAE);
            t.FillRect(6, 18, 20, 2, 0xD8B040);
            t.FillRect(6, 24, 20, 2, 0xD8B040);
            break;
        case 11:  // rubble
            for (int i = 0; i < 6; ++i) {
                const int x = 5 + rng.Below(22), y = 14 + rng.Below(14);
                t.FillEllipse(x, y, 4, 3, 0x9A948A);
            }
            t.Speckle(rng, 2, 12, 28, 18, 20, 0x6A645A);
            break;
        case 12:  // stump
            t.FillEllipse(16, 24, 10, 5, 0x6B4423);
            t.FillRect(6, 14, 20, 10, 0x6B4423);
            t.FillEllipse(16, 14, 10, 5, 0xC0945C);
            t.FillEllipse(16, 14, 5, 2, 0x9A6A38);
            break;
    }
    t.OutlineShapes(0x1E1A16);
    return t;
}

Canvas Gate(bool left) {
    Canvas t(kTile, kTile);
    t.FillRect(0, 2, kTile, 30, 0x5A3A1C);
    for (int x = 2; x < kTile; x += 6)
        t.FillRect(x, 2, 4, 30, 0x7A4E28);
    t.FillRect(0, 8, kTile, 3, 0x3A3A40);  // iron bands
    t.FillRect(0, 24, kTile, 3, 0x3A3A40);
    if (left)
        t.FillRect(26, 14, 6, 6, 0xC8A030);  // lock
    else
        t.FillRect(0, 14, 4, 6, 0xC8A030);
    t.OutlineShapes(0x1E1A16);
    return t;
}

Canvas CaveMouth() {
    Canvas t = Rock(21, 0x8A7A66, true);
    t.FillEllipse(16, 30, 13, 22, 0x100C0A);
    t.FillEllipse(16, 30, 9, 18, 0x000000);
    return t;
}

Canvas Stairs() {
    Canvas t(kTile, kTile, 0x2A2420);
    for (int i = 0; i < 5; ++i) {
        const int y = 2 + i * 6;
        t.FillRect(2 + i * 2, y, 28 - i * 4, 5, Shade(0x9A8E80, 1.0 - i * 0.15));
        t.FillRect(2 + i * 2, y, 28 - i * 4, 1, Shade(0xB8AC9C, 1.0 - i * 0.15));
    }
    return t;
}

}  // namespace

void WriteTiles(Output& out) {
    Put(out, "grass", Grass(1, false));
    Put(out, "grass2", Grass(2, false));
    Put(out, "grass3", Grass(3, false));
    Put(out, "flowers", Grass(4, true));
    Put(out, "path", Dirt(5, 0xB08A58));
    Put(out, "sand", Dirt(6, 0xD8C48A));
    Put(out, "water", Water(7));
    Put(out, "water2", Water(8));
    Put(out, "plaza", Cobbles(9, 0xA8A29A, 0x6A645C));
    Put(out, "cavefloor", Dirt(10, 0x5E5040));
    Put(out, "cavefloor2", Dirt(14, 0x584A3A));
    Put(out, "ruinfloor", Cobbles(15, 0x8C8A7E, 0x4E4C44));
    Put(out, "cliff", Rock(16, 0x8A7A66, true));
    Put(out, "rockface", Rock(17, 0x8A7A66, false));
    Put(out, "cavewall", Rock(18, 0x5A6070, false));
    Put(out, "ruinwall", Bricks(19, 0x8A7A6A));
    Put(out, "ruinmoss", Moss(Cobbles(20, 0x8C8A7E, 0x4E4C44), 21));
    Put(out, "cavemouth", CaveMouth());
    Put(out, "stairs", Stairs());
    Put(out, "bush", Object(30, 0));
    Put(out, "rock", Object(31, 1));
    Put(out, "fence", Object(32, 2));
    Put(out, "sign", Object(33, 3));
    Put(out, "well", Object(34, 4));
    Put(out, "stalagmite", Object(35, 5));
    Put(out, "bones", Object(36, 6));
    Put(out, "crystal", Object(37, 7));
    Put(out, "runecircle", Object(38, 8));
    Put(out, "spikes", Object(39, 9));
    Put(out, "altar", Object(40, 10));
    Put(out, "rubble", Object(41, 11));
    Put(out, "stump", Object(42, 12));
    Put(out, "gate_l", Gate(true));
    Put(out, "gate_r", Gate(false));
    PutSlices(out, "tree", Tree());
    PutSlices(out, "hut", Hut());
    PutSlices(out, "pillar", Pillar());
}

}  // namespace vorn3gen
