// Sprite sheets of the hero and the monsters: four columns (facing down, up,
// right, left) and seven rows of 32 x 32 frames, four walking frames then
// three attack frames, matching MoveFrameCount 4 and AttackFrameCount 3.
#include <string>

#include "tools/vorn3gen/Art.h"

namespace vorn3gen {

namespace {

constexpr int kFrame = 32;
constexpr int kWalkFrames = 4;
constexpr int kAttackFrames = 3;
enum Facing { kDown = 0, kUp = 1, kRight = 2, kLeft = 3 };

struct Look {
    Colour skin, hair, tunic, legs, boots, weapon;
    bool skull = false;   // skeleton head and thin bony limbs
    bool beard = false;   // the elder
    bool hat = false;     // straw hat of the farmer
    bool staff = false;   // carries a staff instead of a blade
    bool helmet = false;  // the warden's iron helmet
};

// One walking or attacking person facing down, up or right (left is the
// mirror of right). stride: -1, 0 or 1; attack: -1 none, else 0 .. 2.
Canvas Person(const Look& look, Facing facing, int stride, int attack) {
    Canvas c(kFrame, kFrame);
    const int bob = stride == 0 ? 0 : 1;  // the body dips on a stride
    const Colour legs = look.skull ? look.skin : look.legs;
    const int limb = look.skull ? 2 : 3;
    // Legs and feet.
    if (facing == kRight) {
        c.FillRect(13 - stride * 3, 23, limb, 6, legs);
        c.FillRect(16 + stride * 3, 23, limb, 6, Shade(legs, 0.8));
        c.FillRect(13 - stride * 3, 29, 5, 2, look.boots);
        c.FillRect(16 + stride * 3, 29, 5, 2, Shade(look.boots, 0.8));
    } else {
        c.FillRect(11, 23 - (stride > 0 ? 2 : 0), limb + 1, 6, legs);
        c.FillRect(18, 23 - (stride < 0 ? 2 : 0), limb + 1, 6, legs);
        c.FillRect(10, 29 - (stride > 0 ? 2 : 0), 5, 2, look.boots);
        c.FillRect(18, 29 - (stride < 0 ? 2 : 0), 5, 2, look.boots);
    }
    // Body.
    const int top = 13 + bob;
    if (look.skull) {
        c.FillRect(13, top, 7, 10, 0x2A2A2A);
        for (int y = top + 1; y < top + 9; y += 2)
            c.FillRect(12, y, 9, 1, look.skin);
        c.FillRect(16, top, 1, 10, look.skin);
    } else {
        c.FillRect(10, top, 13, 10, look.tunic);
        c.FillRect(10, top, 13, 2, Shade(look.tunic, 1.2));
        c.FillRect(10, top + 8, 13, 2, Shade(look.tunic, 0.7));  // belt
    }
    if (look.helmet)
        c.FillRect(10, top, 13, 10, look.tunic);
    // Arms swing against the legs while walking.
    const Colour arm = look.skull ? look.skin : look.tunic;
    if (attack < 0) {
        if (facing == kRight) {
            c.FillRect(15 + stride * 2, top + 1, 3, 8, Shade(arm, 0.85));
            c.FillRect(15 + stride * 2, top + 8, 3, 2, look.skin);
        } else {
            c.FillRect(7, top + 1 + (stride < 0 ? 1 : 0), 3, 8, Shade(arm, 0.85));
            c.FillRect(23, top + 1 + (stride > 0 ? 1 : 0), 3, 8, Shade(arm, 0.85));
            c.FillRect(7, top + 8 + (stride < 0 ? 1 : 0), 3, 2, look.skin);
            c.FillRect(23, top + 8 + (stride > 0 ? 1 : 0), 3, 2, look.skin);
        }
        if (look.staff) {
            const int x = facing == kRight ? 19 : 24;
            c.FillRect(x, 6 + bob, 2, 24, 0x7A4A24);
            c.FillCircle(x + 1, 6 + bob, 2.5, 0x60C0E8);
        }
    }
    // Head.
    const int head = 3 + bob;
    c.FillRect(10, head, 13, 11, look.skin);
    if (look.skull) {
        c.FillRect(11, head + 9, 11, 3, Shade(look.skin, 0.85));
        if (facing != kUp) {
            const int ex = facing == kRight ? 16 : 12;
            c.FillRect(ex, head + 4, 3, 3, 0x1A1A1A);
            if (facing == kDown)
                c.FillRect(18, head + 4, 3, 3, 0x1A1A1A);
            c.Set(facing == kRight ? 21 : 16, head + 8, 0x1A1A1A);
        }
    } else {
        // Hair: covers the whole head from behind, the top from the front.
        if (facing == kUp)
            c.FillRect(10, head, 13, 10, look.hair);
        else if (facing == kRight) {
            c.FillRect(10, head, 13, 4, look.hair);
            c.FillRect(10, head, 5, 9, look.hair);
        } else
            c.FillRect(10, head, 13, 4, look.hair);
        if (facing == kDown) {
            c.FillRect(13, head + 6, 2, 2, 0x202020);
            c.FillRect(18, head + 6, 2, 2, 0x202020);
        } else if (facing == kRight) {
            c.FillRect(19, head + 6, 2, 2, 0x202020);
        }
        if (look.beard && facing != kUp)
            c.FillRect(facing == kRight ? 16 : 11, head + 8, facing == kRight ? 7 : 11, 6,
                       0xE0E0E0);
    }
    if (look.hat) {
        c.FillRect(6, head - 1, 21, 3, 0xE0C060);
        c.FillRect(10, head - 4, 13, 4, 0xD0B050);
    }
    if (look.helmet) {
        c.FillRect(9, head - 1, 15, 5, 0x5A5A66);
        c.FillRect(15, head - 3, 3, 3, 0xA02020);
    }
    // Weapon during an attack: raised, swung, thrust forward.
    if (attack >= 0) {
        const Colour blade = look.weapon;
        const Colour hilt = 0x6B4423;
        if (facing == kDown) {
            const int reach[] = {2, 6, 9};
            c.FillRect(22, top + 2, 3, 8, Shade(arm, 0.85));
            c.FillRect(21, top + 8 + reach[attack], 5, 2, hilt);
            c.FillRect(22, top + 10 + reach[attack], 3, 9 - attack, blade);
        } else if (facing == kUp) {
            const int reach[] = {2, 5, 8};
            c.FillRect(8, top, 3, 8, Shade(arm, 0.85));
            c.FillRect(7, top - reach[attack], 5, 2, hilt);
            c.FillRect(8, top - reach[attack] - 9 + attack, 3, 9 - attack, blade);
        } else {
            const int reach[] = {0, 4, 7};
            c.FillRect(16, top + 2, 6 + reach[attack] / 2, 3, Shade(arm, 0.85));
            c.FillRect(21 + reach[attack] / 2, top + 1, 2, 5, hilt);
            c.FillRect(23 + reach[attack] / 2, top + 2, 9 - attack, 3, blade);
            if (attack == 2)
                c.Line(24, top - 3, 31, top + 3, Shade(blade, 1.3));  // swish
        }
    }
    c.OutlineShapes(0x141018);
    return c;
}

// A green blob that squashes as it hops and lunges when it attacks.
Canvas Slime(Colour body, Facing facing, int walk, int attack) {
    Canvas c(kFrame, kFrame);
    const int squash[] = {0, 3, 0, -2};
    int w = 12 + (attack >= 0 ? 2 : squash[walk]), h = 9 - (attack >= 0 ? 1 : squash[walk] / 2);
    int cx = 16, cy = 31 - h;
    if (attack >= 0) {
        const int lunge = attack * 3;
        if (facing == kDown)
            cy += lunge / 2;
        if (facing == kUp)
            cy -= lunge;
        if (facing == kRight)
            cx += lunge;
        if (facing == kLeft)
            cx -= lunge;
    }
    c.FillEllipse(16, 30, 12, 2, Shade(body, 0.45));
    c.FillEllipse(cx, cy, w, h, body);
    c.FillEllipse(cx - w / 3.0, cy - h / 2.5, w / 4.0, h / 4.0, Shade(body, 1.4));
    if (facing != kUp) {
        const int ex = facing == kRight ? cx + 3 : facing == kLeft ? cx - 7 : cx - 5;
        c.FillRect(ex, cy - 2, 3, 4, 0xFFFFFF);
        c.FillRect(ex + 1, cy - 1, 2, 2, 0x101010);
        if (facing == kDown) {
            c.FillRect(ex + 8, cy - 2, 3, 4, 0xFFFFFF);
            c.FillRect(ex + 9, cy - 1, 2, 2, 0x101010);
        }
        if (attack >= 1)
            c.FillRect(cx - 3, cy + 3, 6, 2, 0x501010);
    }
    c.OutlineShapes(Shade(body, 0.3));
    return c;
}

// A bat: wings flap through the walking frames, the attack is a dive.
Canvas Bat(Facing facing, int walk, int attack) {
    Canvas c(kFrame, kFrame);
    const int flap[] = {-6, 0, 5, 0};
    const int wing = attack >= 0 ? -7 + attack * 6 : flap[walk];
    const int cy = 14 + (attack >= 0 ? attack * 2 : 0);
    c.FillEllipse(16, 30, 7, 2, 0x2A2020);
    const Colour body = 0x4A3A5A, wingColour = 0x3A2A48;
    for (int side : {-1, 1}) {
        for (int i = 0; i < 11; ++i) {
            const int x = 16 + side * (4 + i);
            const int y = cy + wing * i / 10;
            c.FillRect(x, y - 1, 1, 5 - i / 4, wingColour);
        }
    }
    c.FillEllipse(16, cy + 1, 5, 6, body);
    c.FillRect(12, cy - 6, 2, 3, body);  // ears
    c.FillRect(19, cy - 6, 2, 3, body);
    if (facing != kUp) {
        const int shift = facing == kRight ? 2 : facing == kLeft ? -2 : 0;
        c.Set(14 + shift, cy, 0xF03030);
        c.Set(18 + shift, cy, 0xF03030);
        c.Set(16 + shift, cy + 3, 0xF0F0F0);
    }
    c.OutlineShapes(0x120C16);
    return c;
}

// A healing spirit: a pale glowing orb with a flickering tail.
Canvas Wisp(Facing facing, int walk, int attack) {
    Canvas c(kFrame, kFrame);
    const int sway[] = {0, 1, 0, -1};
    const double cx = 16 + sway[walk], cy = 13 + (attack >= 0 ? attack : 0);
    const double tail = facing == kRight ? -1 : facing == kLeft ? 1 : 0;
    for (int i = 0; i < 5; ++i)
        c.FillCircle(cx + tail * i * 2 + sway[(walk + i) % 4], cy + 4 + i * 2.5, 5 - i,
                     Mix(0xA0F0C0, 0x40A070, i / 5.0));
    c.FillCircle(cx, cy, 7 + (attack >= 0 ? attack : 0), 0xB8F8D0);
    c.FillCircle(cx - 2, cy - 2, 3, 0xF4FFF8);
    c.FillEllipse(16, 30, 5, 1.5, 0x2A5A3A);
    c.OutlineShapes(0x2A6A4A);
    return c;
}

template <typename Draw>
Canvas Sheet(Draw draw) {
    Canvas sheet(4 * kFrame, (kWalkFrames + kAttackFrames) * kFrame);
    for (int facing = 0; facing < 4; ++facing) {
        for (int row = 0; row < kWalkFrames + kAttackFrames; ++row) {
            const int walk = row < kWalkFrames ? row : 0;
            const int attack = row < kWalkFrames ? -1 : row - kWalkFrames;
            sheet.Blit(draw(static_cast<Facing>(facing), walk, attack), facing * kFrame,
                       row * kFrame);
        }
    }
    return sheet;
}

Canvas PersonSheet(const Look& look) {
    return Sheet([&](Facing facing, int walk, int attack) {
        const int strides[] = {0, 1, 0, -1};
        const int stride = attack >= 0 ? 0 : strides[walk];
        if (facing == kLeft)
            return Person(look, kRight, stride, attack).Mirrored();
        return Person(look, facing, stride, attack);
    });
}

}  // namespace

void WriteActors(Output& out) {
    Look hero{0xF0C8A0, 0x7A4A20, 0x3C8A3C, 0x5A4A3A, 0x4A2A14, 0xD8DCE8};
    out.WritePng("sprites/hero.png", PersonSheet(hero));

    Look elder{0xE8C0A0, 0xD8D8D8, 0x6A4A9A, 0x4A3A6A, 0x3A2A1A, 0x8A6A40};
    elder.beard = true;
    elder.staff = true;
    out.WritePng("sprites/elder.png", PersonSheet(elder));

    Look farmer{0xE0B088, 0x3A2A1A, 0x3A5AA8, 0x6A5A4A, 0x3A2A1A, 0xA0A0A0};
    farmer.hat = true;
    out.WritePng("sprites/farmer.png", PersonSheet(farmer));

    Look skeleton{0xE8E4D4, 0xE8E4D4, 0xE8E4D4, 0xE8E4D4, 0x8A8478, 0xA88A60};
    skeleton.skull = true;
    out.WritePng("sprites/skeleton.png", PersonSheet(skeleton));

    Look warden{0xE8E4D4, 0xE8E4D4, 0x7A2020, 0xE8E4D4, 0x3A3A44, 0xC8CCD8};
    warden.skull = true;
    warden.helmet = true;
    out.WritePng("sprites/warden.png", PersonSheet(warden));

    out.WritePng("sprites/slime.png", Sheet([](Facing f, int walk, int attack) {
                     return Slime(0x58C040, f, walk, attack);
                 }));
    out.WritePng("sprites/bat.png",
                 Sheet([](Facing f, int walk, int attack) { return Bat(f, walk, attack); }));
    out.WritePng("sprites/wisp.png",
                 Sheet([](Facing f, int walk, int attack) { return Wisp(f, walk, attack); }));
}

}  // namespace vorn3gen
