#pragma once
// The table of garvelctl commands. Each command lives in its own
// Cmd<Name>.cpp and is listed in Commands.cpp.

#include <vector>

struct TCtlCommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);  // arguments after the command name
};

const std::vector<TCtlCommand>& CtlCommands();

int CmdPaths(int argc, char** argv);
int CmdGenerate(int argc, char** argv);
int CmdCheck(int argc, char** argv);
int CmdDump(int argc, char** argv);
// Exchange files.
int CmdExportExchange(int argc, char** argv);
int CmdExchangeDump(int argc, char** argv);
int CmdImport(int argc, char** argv);
int CmdSendRecords(int argc, char** argv);
int CmdVersionCheck(int argc, char** argv);
int CmdBench(int argc, char** argv);
int CmdList(int argc, char** argv);
int CmdRecords(int argc, char** argv);
int CmdInvoice(int argc, char** argv);
int CmdContract(int argc, char** argv);
int CmdReceipt(int argc, char** argv);
int CmdDocuments(int argc, char** argv);
int CmdBackup(int argc, char** argv);
int CmdExportCsv(int argc, char** argv);
int CmdAttachments(int argc, char** argv);
int CmdAttach(int argc, char** argv);
int CmdAttachUrl(int argc, char** argv);
int CmdStats(int argc, char** argv);
