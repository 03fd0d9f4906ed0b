// Picking up the map object under the player and the inventory of names.
#include "game/play/Items.h"

#include <memory>
#include <string>

#include "common/TextPrimitives.h"
#include "game/play/ActorBoxes.h"
#include "game/play/ActorMath.h"
#include "game/play/Events.h"

namespace vorn {

using actor::WrapAdd;

namespace {

// Index of the first object not yet in the inventory under the centre probe,
// or the list size when there is none.
size_t FindObjectUnderPlayer(Game& game) {
    const Rect probe = CentreProbe(game);
    const std::vector<ObjectType>& objects = game.map->objects;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjectType& object = objects[i];
        if (InventoryHas(game, object.Name)) {
            continue;
        }
        const Rect picture{object.X, object.Y, game.media.SpriteWidth(object.Sprite),
                           game.media.SpriteHeight(object.Sprite)};
        if (Overlaps(picture, probe)) {
            return i;
        }
    }
    return objects.size();
}

std::string PickUpMessage(const ObjectType& object) {
    std::string message = "You picked up: " + object.Name + ": +";
    if (object.Damage != 0) {
        message += IntToText(object.Damage) + " damage. ";
    }
    if (object.Health != 0) {
        message += IntToText(object.Health) + " health. ";
    }
    if (object.Speed != 0) {
        message += IntToText(object.Speed) + " speed.";
    }
    return message;
}

}  // namespace

void PickUp(Game& game) {
    const size_t index = FindObjectUnderPlayer(game);
    if (index >= game.map->objects.size()) {
        return;
    }
    // The grab-item scripts may change this object's bonuses or name, and the
    // player gets what they leave. A script may also load another map, which
    // discards this object: then the object as it was before the scripts
    // counts, and the new map's objects are left alone.
    const std::shared_ptr<CurrentMap> held = game.map;
    const ObjectType before = held->objects[index];
    RaiseGrabItem(game, before.Name);
    if (game.ended) {
        return;
    }
    // No command adds or removes objects, so while the map is the same the
    // object is still at its index.
    const bool sameMap = game.IsCurrentMap(held) && index < held->objects.size();
    const ObjectType taken = sameMap ? held->objects[index] : before;

    game.inventory.emplace_back();
    Player& player = game.player;
    player.Damage = WrapAdd(player.Damage, taken.Damage);
    player.MaxHealth = WrapAdd(player.MaxHealth, taken.Health);
    player.Speed = WrapAdd(player.Speed, taken.Speed);
    player.Health = WrapAdd(player.Health, taken.HealAmount);
    if (player.Health > player.MaxHealth) {
        player.Health = player.MaxHealth;
    }

    // Dropped hearts ("__" names) neither change the status text nor leave a
    // name in the inventory.
    if (taken.Name.rfind("__", 0) != 0) {
        game.StatusText = PickUpMessage(taken);
        game.inventory.back() = taken.Name;
    }

    if (sameMap) {
        held->objects.erase(held->objects.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

bool InventoryHas(const Game& game, std::string_view name) {
    for (const std::string& item : game.inventory) {
        if (item == name) {
            return true;
        }
    }
    return false;
}

}  // namespace vorn
