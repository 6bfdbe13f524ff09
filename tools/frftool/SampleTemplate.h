#pragma once
// The sample template of frftool: a form page with Chinese texts in 宋体 and
// 黑体, frames, lines, every alignment, expressions and a text-only memo, and an
// attachment page built as the print routine builds it.
class TfrReport;

void BuildSampleTemplate(TfrReport &report);
