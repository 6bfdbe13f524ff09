#pragma once
// PrintFixture: a main window with a new form of one type, active, for the
// printing tests: the Print command, the prepared sheets, the attachment
// page and the messages shown besides the submission message. The data files
// that printing writes are removed when the fixture goes.
#include "ControlAdapter.h"
#include "ScriptedDialogs.h"
#include "TEABaseForm.h"
#include "TFrmMain.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "TfrView.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QStringList>

struct FormFixture {
    ScriptedDialogs dlg;
    TFrmMain main;
    TEABaseForm *form = nullptr;
    QStringList files;

    explicit FormFixture(FormKind kind)
    {
        main.show();
        main.NewCommand(kind);
        form = main.registered(kind);
        if (form)
            main.mdiArea()->setActiveSubWindow(form);
    }
    ~FormFixture()
    {
        for (const QString &f : files)
            QFile::remove(f);
    }
    QString print()
    {
        dlg.messages.clear();
        dlg.modalWindows.clear();
        form->SubmitAndPrint();
        dlg.dropPrintQuestion();
        files << form->DataFileName();
        return form->verifyCodeEdit()->text();
    }
    const QList<TfrSheet> &sheets() const { return form->report()->PreparedSheets(); }
    int templatePages() const
    {
        int n = 0;
        const TfrPages &pages = form->report()->Pages();
        for (int i = 0; i < pages.Count(); ++i)
            n += pages[i].Name != QLatin1String("newadd");
        return n;
    }
    const TfrPage *attachmentPage() const
    {
        const TfrPages &pages = form->report()->Pages();
        for (int i = 0; i < pages.Count(); ++i)
            if (pages[i].Name == QLatin1String("newadd"))
                return &pages[i];
        return nullptr;
    }
    // The text of a report object, "<none>" when the template lacks it.
    QString object(const QString &name) const
    {
        TfrView *v = form->report()->FindObject(name);
        return v ? v->Text() : QStringLiteral("<none>");
    }
    int attachmentPages() const { return attachmentPage() ? 1 : 0; }
    void setMemo(const char *name, const QString &text)
    {
        Controls::setText(form->findChild<QWidget *>(QLatin1String(name)), text);
    }
    QStringList warnings() const
    {
        QStringList texts = dlg.texts();
        if (!texts.isEmpty())
            texts.removeFirst(); // the submission message
        return texts;
    }
};
