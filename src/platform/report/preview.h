#pragma once
// The preview window: modal and maximised; it shows the sheets as they print and can print them.
#include "report/document.h"

// Returns when the user closes the window.
void ShowPreview(const TRvDocument& doc, const QString& caption, const QString& jobTitle);
