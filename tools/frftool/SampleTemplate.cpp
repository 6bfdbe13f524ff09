#include "SampleTemplate.h"

#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"

namespace {

struct MemoSpec {
    const char *name;
    int x, y, w, h;
    const char *font;
    int size;
    quint16 style;
    quint16 flags;
    quint16 frame;
    int alignment;
    const char *text;
};

} // namespace

void BuildSampleTemplate(TfrReport &report)
{
    report.Pages().Clear();
    report.setStoreInDFM(true);
    TfrPage &page = report.Pages().Add();
    page.pgSize = 9;
    page.pgWidth = 2101;
    page.pgHeight = 2969;
    page.LeftMargin = 90;
    page.TopMargin = 79;
    page.RightMargin = 54;
    page.BottomMargin = 54;

    const MemoSpec memos[] = {
        {"Memo1", 96, 60, 604, 940, "宋体", 10, 0, 0x41, 0x0F, 0, ""},
        {"Memo2", 270, 72, 260, 22, "黑体", 16, 0, 0x43, 0, 2, "药品监督管理部门"},
        {"Memo3", 280, 100, 240, 34, "宋体", 24, fsBold, 0x43, 0, 2, "药品注册申请表"},
        {"Memo4", 100, 128, 64, 18, "Arial", 8, 0, 0x43, 0, 0, "021202"},
        {"Memo5", 96, 160, 68, 24, "黑体", 10, 0, 0x43, 0x03, 2 | 8, "申请事项"},
        {"Memo6", 170, 160, 250, 24, "宋体", 10, 0, 0x43, 0x0F, 0 | 8, "左对齐，垂直居中"},
        {"Memo7", 430, 160, 260, 24, "宋体", 10, 0, 0x43, 0x0F, 1 | 8, "右对齐 right"},
        {"Memo8", 170, 194, 250, 40, "宋体", 10, 0, 0x43, 0x0F, 2 | 16, "居中，底端"},
        {"Memo9", 430, 194, 260, 40, "黑体", 12, 0, 0x43, 0x0F, 2, "黑体 12 居中"},
        {"Memo10", 96, 250, 290, 100, "Arial", 10, 0, 0x43, 0x0F, 3,
         "Justified text: every line but the last of its paragraph is widened to the full width of the box."},
        {"Memo11", 400, 250, 290, 100, "宋体", 10, 0, 0x43, 0x0F, 0,
         "中文段落在不能容纳的第一个字处换行，空格 不是 断点，English words mixed 也一样。"},
        {"edtHXCF", 96, 360, 594, 40, "宋体", 10, 0, 0x53, 0x02, 0,
         "文本方式 [PAGE#] 原样打印，方括号不计算"},
        {"Memo12", 96, 410, 594, 20, "宋体", 10, 0, 0x41, 0, 0,
         "不换行的长文本会在框的右边缘被截断：一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"},
        {"Memo13", 96, 440, 300, 20, "宋体", 10, 0, 0x43, 0, 0, "打印日期：[DATE] [TIME]"},
        {"Memo14", 82, 1000, 548, 18, "Arial", 8, 0, 0x43, 0, 0,
         "第 [PAGE#] 页 共 [TOTALPAGES] 页                                数据核对码："},
        {"VerifyCode", 630, 1000, 96, 18, "Arial", 8, 0, 0x43, 0, 0, "1A2B3C4D"},
        {"rdbXY", 120, 470, 20, 18, "宋体", 10, 0, 0x41, 0, 0, "●"},
        {"ckbFCFY", 150, 470, 20, 18, "宋体", 10, 0, 0x41, 0, 0, "■"},
    };
    for (const MemoSpec &m : memos) {
        auto *memo = new TfrMemoView;
        memo->Name = QString::fromUtf8(m.name);
        memo->SetBounds(m.x, m.y, m.w, m.h);
        memo->FontName = QString::fromUtf8(m.font);
        memo->FontSize = m.size;
        memo->FontStyle = m.style;
        memo->Flags = m.flags;
        memo->FrameTyp = m.frame;
        memo->Alignment = m.alignment;
        memo->SetText(QString::fromUtf8(m.text));
        page.Add(memo);
    }
    const struct {
        int x, y, w, h;
        double width;
    } lines[] = {{96, 240, 604, 0, 1}, {96, 455, 604, 0, 2}, {393, 250, 0, 100, 1}};
    int n = 1;
    for (const auto &l : lines) {
        auto *line = new TfrLineView;
        line->Name = QStringLiteral("Line%1").arg(n++);
        line->SetBounds(l.x, l.y, l.w, l.h);
        line->FrameWidth = l.width;
        page.Add(line);
    }
}
