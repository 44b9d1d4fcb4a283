#pragma once
// The stages of a save, between the writes whose order decides what a crash
// can cost.
//
// Named points between the writes of a save. A test program can stop the
// process at one of them to see what a crash there leaves on disk; in the
// program nothing is installed and a point costs one test of a pointer.
//
// Stages: "blob-id" (a new blob ID is in the header), "blob-grow" (the block
// table has grown), "blob-fresh" (the blocks a blob did not have before are
// written and marked), "blob-data" (one of the blob's own blocks rewritten),
// "blob-table" (one entry of the block table written), "record-id" (a new
// record ID is in the headers), "record-slot" (one segment of a record
// written), "record-erase" (a slot marked erased).

using TCrashPointHandler = void (*)(const char* stage);

void SetCrashPointHandler(TCrashPointHandler handler);
void CrashPoint(const char* stage);

// Whether the writes before a stage must be on the disk before any write after
// it. A process that is killed loses nothing the system has taken, so the
// order of the writes is enough; a power cut keeps no order of its own, so the
// desktop program turns this on (one flush of the file at a stage). Tools that
// make test data in bulk leave it off.
void SetDurableSaves(bool on);
bool DurableSaves();
