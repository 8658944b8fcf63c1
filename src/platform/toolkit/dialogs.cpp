#include "toolkit/dialogs.h"

#include "toolkit/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSpacerItem>

namespace {

QWidget* activeWindow()
{
    if (Application && Application->ActiveForm())
        return Application->ActiveForm()->Handle();
    return nullptr;
}

// A window manager cuts a title wider than its window: the box is made as wide as its title
// bar needs, with room for the window menu and the title buttons.
void fitTitle(QMessageBox& box)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const int titleButtons = 110;
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + titleButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

// Without the effects box beside it, the sample box shrinks to its frame: it gets room for a few
// lines of text, and a quarter of the room when the dialog grows (the lists take the rest).
void showSample(QFontDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* lists = dialog.findChild<QListView*>();
    if (!grid || !lists)
        return;
    const auto setRowStretch = [grid](QWidget* w, int stretch) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
        grid->setRowStretch(row, stretch);
    };
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        auto* sample = box->findChild<QLineEdit*>();
        if (!sample || grid->indexOf(box) < 0)
            continue;
        sample->setMinimumHeight(3 * dialog.fontMetrics().height());
        setRowStretch(lists, 3);
        setRowStretch(box, 1);
    }
}

// "Text files (*.txt)|*.txt|All|*" as the window system's "Text files (*.txt);;All (*)".
QString WindowSystemFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = "(" + parts[i + 1].split(';').join(' ') + ")";
        out << (parts[i].endsWith(patterns) ? parts[i] : parts[i] + " " + patterns);
    }
    return out.join(";;");
}

// Types and icons from the names alone. Telling a type from the contents opens the file, and
// closing any descriptor of a file drops every lock the process holds on it: a listed database
// would lose the locks its engine relies on.
class IconsByName : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::icon(Folder);
        const QMimeType type = byName(info);
        QIcon i = QIcon::fromTheme(type.iconName());
        if (i.isNull())
            i = QIcon::fromTheme(type.genericIconName());
        return i.isNull() ? QFileIconProvider::icon(File) : i;
    }
    QString type(const QFileInfo& info) const override
    {
        if (!info.isFile())
            return QFileIconProvider::type(info);
        return byName(info).comment();
    }

private:
    static QMimeType byName(const QFileInfo& info)
    {
        const QMimeDatabase db;
        const QList<QMimeType> types = db.mimeTypesForFileName(info.fileName());
        return types.isEmpty() ? db.mimeTypeForName("application/octet-stream") : types.first();
    }
};

// Qt's own dialog, so that the program knows what lists a folder: a desktop's dialog may read the
// files it shows.
void listByName(QFileDialog& d)
{
    static IconsByName icons;
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setIconProvider(&icons);
}

class WindowSystemDialogs : public DialogService {
public:
    void Box(const QString& text, const QString& caption, TMsgIcon icon) override
    {
        QMessageBox box(icon == TMsgIcon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                        text, QMessageBox::Ok, activeWindow());
        fitTitle(box);
        box.exec();
    }

    bool Confirm(const QString& text, const QString& caption) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, activeWindow());
        QPushButton* yes = box.addButton("&Yes", QMessageBox::YesRole);
        box.addButton("&No", QMessageBox::NoRole);
        fitTitle(box);
        box.exec();
        return box.clickedButton() == yes;
    }

    bool ChooseColor(TColor& color) override
    {
        const QColor c = QColorDialog::getColor(ToQColor(color), activeWindow());
        if (!c.isValid())
            return false;
        color = c.red() | (c.green() << 8) | (c.blue() << 16);
        return true;
    }

    bool ChooseFont(TFont& font) override
    {
        QFont start = font.ToQFont();
        start.setPointSize(font.Size);
        // The face's own name for its style ("Book", "Demi"): the dialog looks styles up by name
        // and otherwise falls back to the first one it lists.
        start.setStyleName(QFontInfo(start).styleName());
        // Qt's own dialog, without its effects box (underline, strike-out): a desktop's native one
        // would offer them.
        QFontDialog dialog(start, activeWindow());
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        for (QCheckBox* effect : dialog.findChildren<QCheckBox*>()) {
            if (auto* box = qobject_cast<QGroupBox*>(effect->parentWidget()))
                box->hide();
            effect->hide();
        }
        showSample(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QFont f = dialog.selectedFont();
        font.Name = f.family();
        font.Size = f.pointSize() > 0 ? f.pointSize() : font.Size;
        font.Style = (f.bold() ? fsBold : 0) | (f.italic() ? fsItalic : 0) |
                     (font.Style & (fsUnderline | fsStrikeOut));
        return true;
    }

    bool ChooseOpenFile(QString& fileName, const QString& filter, const QString& title, TOpenOptions) override
    {
        QFileDialog d(activeWindow(), title, fileName, WindowSystemFilter(filter));
        d.setFileMode(QFileDialog::ExistingFile);
        listByName(d);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
            return false;
        fileName = d.selectedFiles().first();
        return true;
    }

    bool ChooseSaveFile(QString& fileName, const QString& filter, const QString& defaultExt,
                        const QString& title, TOpenOptions options) override
    {
        QFileDialog d(activeWindow(), title, fileName, WindowSystemFilter(filter));
        d.setAcceptMode(QFileDialog::AcceptSave);
        listByName(d);
        d.setDefaultSuffix(defaultExt);
        d.setOption(QFileDialog::DontConfirmOverwrite, !(options & ofOverwritePrompt));
        for (;;) {
            if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
                return false;
            const QString chosen = d.selectedFiles().first();
            if (!(options & ofCreatePrompt) || QFileInfo::exists(chosen) ||
                Confirm(chosen + "\nThis file does not exist.\nCreate the file?",
                        title.isEmpty() ? "Save As" : title)) {
                fileName = chosen;
                return true;
            }
        }
    }
};

DialogService* installed = nullptr;

} // namespace

DialogService& Dialogs()
{
    static WindowSystemDialogs windowSystem;
    return installed ? *installed : windowSystem;
}

void SetDialogs(DialogService* service)
{
    installed = service;
}

void ShowMessage(const QString& text)
{
    Dialogs().Box(text, Application ? Application->Title() : QString(), TMsgIcon::Information);
}

bool ConfirmYesNo(const QString& text)
{
    return Dialogs().Confirm(text, "Confirm");
}
