// Names for the panel's states. The variables stay plain 32-bit integers
// (the panel keeps every state as a small number); these give the numbers
// their meaning wherever they are set or tested.
#pragma once

#include <cstdint>

namespace voxpan {

// One step of the timer-driven poll cycle per 100 ms tick.
enum PollStep : std::int32_t {
    kPollIdle = 0,               // dispatch a queued key entry, or start a level poll
    kPollSendLevelQuery = 1,     // send "LM"
    kPollReadLevel = 2,          // read the level, draw the bar, move the scans on
    kPollSendFrequencyQuery = 3, // send "RX": a search stopped on a signal
    kPollReadFrequency = 4,      // read the stopped frequency, show and record it
    kPollMemoryScanPause = 5,    // the receiver's memory scan stopped: wait a tick
    kPollRereadFrequency = 6,    // show the frequency of the scan's last report
};

// What typed digits and letters feed.
enum EntryMode : std::int32_t {
    kEntryNone = 0,            // digits type a frequency; Enter tunes it
    kEntrySearchLow = 1,       // S
    kEntrySearchHigh = 2,      // E
    kEntrySearchStep = 3,      // I
    kEntryCopyBank = 4,        // T
    kEntryPutFrequency = 5,    // P
    kEntrySortBank = 6,        // O
    kEntrySelectBank = 7,      // B
    kEntryMemoryScanBank = 8,  // G: a receiver bank letter
    kEntryTransfer = 9,        // W: two digits and a receiver bank letter
    kEntryDeleteBank = 10,     // D
    kEntryDeleteChannel = 11,  // K
};

// The panel's own scan through the loaded bank.
enum BankScanState : std::int32_t {
    kBankScanOff = 0,
    kBankSelected = 1,      // stepped by the Up and Down keys
    kBankScanStarted = 2,
    kBankScanRunning = 3,   // running and shown
    kBankScanStopped = 4,   // stopped on a signal and shown
};

// The receiver's own memory scan.
enum MemoryScanState : std::int32_t {
    kMemoryScanOff = 0,
    kMemoryScanStarted = 1,  // started or resumed, not yet shown
    kMemoryScanRunning = 2,  // running and shown
    kMemoryScanStopped = 3,  // stopped on a signal and shown
};

// The receiver's VFO search between the two limits.
enum SearchState : std::int32_t {
    kSearchOff = 0,
    kSearching = 1,
    kSearchStopped = 2,  // stopped on a signal
};

// Which scan is stopped on a signal, as the hit log follows the stops.
enum StopKind : std::int32_t {
    kStopNone = 0,
    kStopSearch = 1,  // the search, searchState kSearchStopped
    kStopBank = 2,    // the panel's bank scan, kBankScanStopped
    kStopMemory = 3,  // the receiver's memory scan, kMemoryScanStopped
};

// Whether the receiver has answered since start-up.
enum ConnectionState : std::int32_t {
    kReceiverGivenUp = 0,      // a key came before any answer: the panel ends
    kReceiverConnecting = -1,  // no answer yet
    kReceiverConnected = 1,
};

}  // namespace voxpan
