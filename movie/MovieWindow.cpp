// STUB: to be replaced
#include <windows.h>
#include "movie/MovieWindow.h"
MovieWindow::MovieWindow() : window(nullptr) {}
bool MovieWindow::Create(const char*) { return false; }
bool MovieWindow::Destroy() { return false; }
void MovieWindow::Play() const {}
void MovieWindow::Pause() const {}
void MovieWindow::Stop() const {}
void MovieWindow::Seek(int32_t) const {}
int32_t MovieWindow::GetPosition() const { return 0; }
int32_t MovieWindow::GetStart() const { return 0; }
int32_t MovieWindow::GetLength() const { return 0; }
int32_t MovieWindow::GetEnd() const { return 0; }
void MovieWindow::SetZoom(int32_t) const {}
