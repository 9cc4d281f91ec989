// SetDotsCommand is one of the note field commands; this header stays so its users need not
// know where the shared template lives.
#pragma once

#include "engine/commands/set_note_field_command.h"
