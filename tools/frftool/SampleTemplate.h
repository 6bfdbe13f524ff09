#pragma once
// The sample template of frftool: a form page with Chinese texts in 宋体 and
// 黑体, frames, lines, every alignment, expressions and a text-only memo. (The
// attachment page belongs to the printed form: dzsbprint prints real ones.)
class TfrReport;

void BuildSampleTemplate(TfrReport &report);
