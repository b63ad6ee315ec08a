// The one-line JSON reports of the script commands `dump`, `windows` and `named`.
#pragma once

#include "host/panel_host.h"

#include <string>

// {"elements":[...]}: every element in drawing order with i (1-based), kind, id (not for
// strings), x, y, hidden, and by kind angle (needle), state (icon), text, fg and key (string)
// or channels (sprite: the three routine results, unscaled).
std::string dump_json(const PanelHost& host);
// {"windows":[{"id":32,"shown":true}]}: every panel window switched so far, by id.
std::string windows_json(const PanelHost& host);
// {"named":[{"name":"...","type":19,"value":0}]}: the named variables in order of registration.
std::string named_json(const PanelHost& host);
