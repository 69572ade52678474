#pragma once

#include <QString>

// The application title: the executable's file name without its extension.
// It captions the standard error box and the plain message boxes.
QString applicationTitle();
