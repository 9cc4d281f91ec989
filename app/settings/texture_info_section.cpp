// TextureInfoSection is header-only; this file keeps the one-pair-per-class layout.
#include "app/settings/texture_info_section.h"
