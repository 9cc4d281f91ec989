// The earlier name of DataFolder, kept so that code written against it still builds.
#pragma once

#include "app/dialogs/data_folder.h"

namespace brindle {

using SettingsLocation = DataFolder;

}  // namespace brindle
