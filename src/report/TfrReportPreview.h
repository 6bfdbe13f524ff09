#pragma once
// Start of the report engine in the program: the report fonts and the paper of
// the default printer that new pages get. The program calls InitReportEngine()
// once at start, after the application object exists.
void InitReportEngine();
