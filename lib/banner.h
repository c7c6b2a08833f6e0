// The banner line that heads every console tool's help text.
#pragma once

// Prints "<title> [ <build date> <build time> ]  <compiler> 0x0560" and a
// line break; title is the tool's name and version, as "KENVO (version 1.26b)".
void PrintBanner(const char *title);
