#pragma once
// TFrmKVHelp: the filling-help window. Five tabs, each a read-only memo
// holding one plain-text help file read from the current directory in the
// national code page, afresh every time the window is created.
#include <QDialog>

class QPlainTextEdit;
class QTabWidget;

class TFrmKVHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFrmKVHelp(QWidget *parent = nullptr);

    // The text shown for a help file that cannot be opened.
    static QString noHelpText();

    QTabWidget *pageControl() const { return FPages; }
    QPlainTextEdit *memo(const QString &name) const;

private:
    void FormCreate();
    void loadFile(const QString &fileName, QPlainTextEdit *memo);

    QTabWidget *FPages;
};
