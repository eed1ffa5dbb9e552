// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the data logger commands tell their user, word for word.

namespace orvane {

inline constexpr const char* kLoggerMessageTitle = "Orvane";
inline constexpr const char* kNoDataText = "No Data in Memory!";
inline constexpr const char* kEraseAllWarning =
    "All the Automatically Recorded data in memory will be deleted!";
inline constexpr const char* kEraseAllTitle = "Warning";
// Asked before one record set is erased; followed by the set's number and start stamp.
inline constexpr const char* kEraseOneQuestion = "This record set will be deleted from the meter:";
// A meter that stops answering in the middle of a download.
inline constexpr const char* kIndexIncompleteText =
    "The meter stopped answering: the list of record sets is incomplete.";
inline constexpr const char* kSetIncompleteText =
    "The meter stopped answering: the record set was not downloaded completely and has not "
    "been saved.";
// A set length that the meter's memory cannot hold: a reply that belongs to another request.
inline constexpr const char* kSetBeyondMemoryText =
    "The meter announced a record set longer than its memory: the record set has not been "
    "downloaded. Please try again.";
inline constexpr const char* kCannotWriteSetText = "The record set could not be saved: ";
inline constexpr const char* kNoEditorText = "No text editor could be started for ";

inline constexpr const char* kEraseListExit = "Exit";
inline constexpr const char* kEraseListAll = "All";

}  // namespace orvane
