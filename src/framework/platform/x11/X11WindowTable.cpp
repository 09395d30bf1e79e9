#include "X11WindowTable.h"

void TX11WindowTable::Add(Window window, const TX11WindowRecord& record) {
  FWindows[window] = record;
  if (record.Host) FGuests[record.Host] = window;
}

void TX11WindowTable::Remove(Window window) {
  auto found = FWindows.find(window);
  if (found == FWindows.end()) return;
  if (found->second.Host) FGuests.erase(found->second.Host);
  FWindows.erase(found);
}

TX11WindowRecord* TX11WindowTable::Find(Window window) {
  auto found = FWindows.find(window);
  return found == FWindows.end() ? nullptr : &found->second;
}

Window TX11WindowTable::GuestOf(Window host) const {
  auto found = FGuests.find(host);
  return found == FGuests.end() ? 0 : found->second;
}
