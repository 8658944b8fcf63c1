#pragma once
// The one renderer: paints a sheet on any paint device (preview page, printer page, PDF page),
// scaled by the device's resolution, with the sheet's top-left at the painter's origin.
#include "report/document.h"

class QPainter;

void PaintSheet(QPainter& painter, const TRvSheet& sheet);
// The font as the report prints it: the face, style and size in points.
QFont ReportFont(const TFont& f);
