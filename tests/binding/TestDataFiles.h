#pragma once
#include <QObject>
#include <QTemporaryDir>

class TestDataFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void badPath_data();
    void badPath();
    void typeCheck_data();
    void typeCheck();
    void loadErrors_data();
    void loadErrors();
    void unreadableFile();
    void bigFiles_data();
    void bigFiles();
    void saveFailures_data();
    void saveFailures();
    void saveReplacesWhole();
    void saveWritesRegularFilesOnly_data();
    void saveWritesRegularFilesOnly();
    void roundTripNormalises();
    void memoLongerThanParserTextLimit();
    void handedOverDocument();

private:
    QTemporaryDir FDir;
};
