#include "host/sound_hook.h"

SoundHooks& sound_hooks() {
    static SoundHooks hooks;
    return hooks;
}
