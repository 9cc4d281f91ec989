// SettingsSectionBase is header-only; this file keeps the one-pair-per-class layout.
#include "app/settings/settings_section_base.h"
