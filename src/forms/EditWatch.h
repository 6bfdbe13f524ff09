#pragma once
// EditWatch: follows the user's edits in the data controls of one form. Any
// change of a control's value is an edit (edited()), except while the watch
// is paused, which the form does while it loads a document into its
// controls. An edit is complete (completed()) when the user leaves an edit
// box or memo, ticks a box or chooses a radio button, chooses a list entry
// or sets a date. Read-only controls (the check code, fixed texts) are the
// program's and are not watched.
#include <QObject>

class QWidget;

class EditWatch : public QObject {
    Q_OBJECT
public:
    // Watches every editable data control below form, as built at this time.
    explicit EditWatch(QWidget *form);

    // While paused, value changes are the program's own and no edits.
    class Pause {
    public:
        explicit Pause(EditWatch &watch) : FWatch(watch) { ++FWatch.FPaused; }
        ~Pause() { --FWatch.FPaused; }
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        EditWatch &FWatch;
    };

signals:
    // A value was changed by the user.
    void edited();
    // The user finished an edit: a good moment to keep what was typed.
    void completed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *control);
    void changed();
    void finished();

    int FPaused = 0;
};
