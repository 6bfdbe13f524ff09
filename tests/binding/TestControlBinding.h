#pragma once
#include <QObject>
#include <QTemporaryDir>

class TestControlBinding : public QObject {
    Q_OBJECT
private slots:
    void plainBinding_data();
    void plainBinding();
    void fieldLookup_data();
    void fieldLookup();
    void groupBinding_data();
    void groupBinding();
    void collect_data();
    void collect();
    void collectWithoutDocument();
    void relations_data();
    void relations();
    void handlersInstalledOnce();
    void readsDates_data();
    void readsDates();
    void unreadableDatesKept_data();
    void unreadableDatesKept();
    void damagedMemosKept();
    void untouchedValuesKeptExactly_data();
    void untouchedValuesKeptExactly();

private:
    QTemporaryDir FDir;
};
