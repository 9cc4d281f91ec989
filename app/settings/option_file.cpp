// OptionFile is header-only; this file keeps the one-pair-per-class layout.
#include "app/settings/option_file.h"
