#include "table/Sound.h"

Sound::~Sound() = default;
