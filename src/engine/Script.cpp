// A command's script: the one question a player of it asks beforehand.
#include "engine/Script.h"

namespace engine {

bool Script::WaitsForBonusPick() const
{
    for (const Step& s : steps) {
        if (std::holds_alternative<step::PickBonusBox>(s)) return true;
    }
    return false;
}

}  // namespace engine
