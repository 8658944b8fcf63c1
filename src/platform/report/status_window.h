#pragma once
// The small window that tells which page a run is generating or printing.
#include <QString>
#include <memory>

class QWidget;
class QLabel;

class TRvStatusWindow {
public:
    TRvStatusWindow();
    ~TRvStatusWindow();
    TRvStatusWindow(const TRvStatusWindow&) = delete;
    TRvStatusWindow& operator=(const TRvStatusWindow&) = delete;

    // Shows the window with this text, then processes pending window messages, so that the
    // user's input reaches the program while the engine works.
    void Show(const QString& text);
    void Hide();
    void SetCaption(const QString& caption);

private:
    QString caption_;
    std::unique_ptr<QWidget> window_;
    QLabel* label_ = nullptr;
};

// "%p" replaced by the page number.
QString StatusText(const QString& format, int page);
