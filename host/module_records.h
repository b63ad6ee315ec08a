// `panelhost inspect`: everything a module declares, read from its records, and the checks of
// those records. The gauge is not installed for real: its install and kill routines run once
// against a table of services that only notes what they hand over (the mouse list, the
// reference size, named variables), since the mouse list is reachable no other way.
#pragma once

#include <ostream>
#include <string>

// Prints the report (text, or one JSON document) on `out` and each problem found on `err`.
// Returns 0 when the records pass every check, 1 otherwise (also when the file does not load).
int inspect_module(const std::string& path, bool json, std::ostream& out, std::ostream& err);
