// The font files behind draw_text in the native host, for tests that exercise its fall-backs.
//
// "Small Fonts" is drawn with a pixel face (the misc-fixed 5x7 cell font); "Arial" and every
// other face with a sans-serif outline face (Liberation Sans), its bold cut for weights of 600
// and more. When no file of a role opens, the
// drawer falls back to another role and says so once on standard error; when no font opens at
// all, strings show their background only.
#pragma once

#include <string>
#include <vector>

enum class FontRole { pixel, sans, sans_bold };

// Replaces the files tried for one role, in order (the first that opens is used), and forgets
// every face loaded so far, so the next draw looks the files up again. An empty list restores
// the built-in one.
void set_font_files(FontRole role, std::vector<std::string> files);

// The file that the next draw_text with this face name and weight would use; empty when none.
std::string font_file_for(const std::string& face_name, int weight);
