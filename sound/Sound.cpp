#include "sound/Sound.h"

Sound::~Sound() = default;
