#pragma once
// 画面フォントサイズ指定 of the grids: the question (Yes: a font dialog, No: the default size,
// Cancel: nothing), the chosen size written to the profile under the grid's own section and key.
namespace kiv::ui {
class Window;
}

// The size the grid uses from now on: the chosen or default one (then also written to the
// profile integer `section`/`key`), or `current` when nothing was chosen.
int AskScreenFontSize(kiv::ui::Window* parent, const char* section, const char* key, int defaultSize, int current);
