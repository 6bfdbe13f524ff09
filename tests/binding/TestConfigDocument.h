#pragma once
#include <QObject>
#include <QTemporaryDir>

class TestConfigDocument : public QObject {
    Q_OBJECT
private slots:
    void encodings_data();
    void encodings();
    void gbkStaysGbk();
    void findNamedNode_data();
    void findNamedNode();
    void sectionsAndAttributes();
    void lookupsFollowRenamedEntries();
    void unwritableCharactersDropped();
    void entitiesRefused_data();
    void entitiesRefused();
    void chineseLabelsAndMarks_data();
    void chineseLabelsAndMarks();
    void everyReadableLabelReadsBack();
    void ownEncodingsCarryEveryCharacter_data();
    void ownEncodingsCarryEveryCharacter();
    void doctypeWithoutEntitiesLoads();
    void malformed_data();
    void malformed();
    void structureLimits_data();
    void structureLimits();

private:
    QTemporaryDir FDir;
};
