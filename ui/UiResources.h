#pragma once

namespace UpdatePelarin {

// Registers the images and animations under ":/ui/". They live in a static library, so the program,
// the tests and the gallery call this once before the first page or dialog is built.
void InitUiResources();

} // namespace UpdatePelarin
