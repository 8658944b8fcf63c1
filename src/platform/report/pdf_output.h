#pragma once
// Writes a generated report as a PDF file, one page per sheet at the sheet's size.
#include "report/document.h"

#include <functional>

// `onPage` runs before each page is painted (1-based). Raises when the file cannot be written.
void WritePdf(const TRvDocument& doc, const QString& path, const QString& title,
              const std::function<void(int page)>& onPage);
