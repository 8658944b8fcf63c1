#pragma once
// Compares a picture with its golden PNG beside the tests, within a small tolerance for
// antialiasing. With KRV_REGENERATE_GOLDEN=1 set (scripts/regenerate_golden_images.sh) the picture
// becomes the golden image instead.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

// `golden` is a path below the source tree's tests/ folder, e.g. "designer/golden/card.png".
// On a mismatch the actual picture and a diff (differing pixels red) are written to the test
// program's folder in the build, below golden_failures/, and the message names them.
::testing::AssertionResult MatchesGolden(const QImage& actual, const QString& golden);

// Renders the first page of a PDF file at `dpi` with pdftoppm.
QImage RasterisePdf(const QString& pdf, int dpi);
