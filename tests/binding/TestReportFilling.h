#pragma once
#include <QObject>

// Report filling: radio and check marks, plain items from the document and
// the controls, the missing-object messages, and a fill that leaves the
// document and the controls alone.
class TestReportFilling : public QObject {
    Q_OBJECT
private slots:
    void marks_data();
    void marks();
    void plainItems();
    void missingObjects();
    void fillChangesOnlyTheReport();
};
