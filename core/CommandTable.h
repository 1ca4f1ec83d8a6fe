// The commands' texts: menu help for status part 0 and toolbar tooltips.
#pragma once

#include <cstdint>

// Help text of a command id; the empty text for the zoom ids and any id not in the table.
// Never null.
const char* HelpText(int32_t commandId);

// Tooltip text of a command id; "Unknown" for an id without a toolbar button. Never null.
const char* ToolTipText(int32_t commandId);

// Room for a tooltip text in the platform's notification buffer, terminator included.
const int32_t TOOLTIP_TEXT_SIZE = 80;
