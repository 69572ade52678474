#include "app/Unit1.h"
void TForm1::Button16Click(QObject*) {}
void TForm1::RazygUpdate() {}
void TForm1::ImportWorkbookFile(const QString&) {}
void TForm1::dragEnterEvent(QDragEnterEvent*) {}
void TForm1::dropEvent(QDropEvent*) {}
void TForm1::endUpdateState() {}
