#pragma once
// The folder where the program writes its data files: the one place the
// shell asks for it (the 申请表一览 list and the file dialogs of 导入数据 and
// 打开数据文件 start there).
#include "Helpers.h"

#include <QString>

inline QString DataFilesFolder()
{
    return ProgramDirectory();
}
