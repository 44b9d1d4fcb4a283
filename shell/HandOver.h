#pragma once
// The hand-over form of a command line: every argument followed by the byte
// 0xFF, concatenated; no argument gives the empty text. Arguments are UTF-8 in
// memory; the hand-over bytes are Windows-1250 on the wire.

#include <string>
#include <vector>

// The hand-over text (UTF-8, with 0xFF bytes as separators).
std::string HandOverForm(const std::vector<std::string>& arguments);
// The arguments of a hand-over text; empty pieces are dropped.
std::vector<std::string> SplitHandOver(const std::string& handOver);

// The trace line of a command line the program took: "Command line: " (its
// own) or "Command line handed over: " (a second start's), then the
// arguments each in double quotation marks.
std::string CommandLineTraceText(const std::string& handOver, bool handedOver);

// The arguments with every relative file name made absolute against
// `currentDir`: the running copy that takes them over works in a folder of
// its own.
std::vector<std::string> AbsoluteArguments(const std::vector<std::string>& arguments, const std::string& currentDir);

// The bytes of a second copy's copy-data message (dwData 1): the hand-over
// form in Windows-1250 plus a terminating zero byte.
std::string HandOverMessageBytes(const std::vector<std::string>& arguments);
// The hand-over text from a received message, tolerating a missing zero.
std::string HandOverFromMessageBytes(const std::string& bytes);
