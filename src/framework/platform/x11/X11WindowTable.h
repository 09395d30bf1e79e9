#pragma once
#include "X11Api.h"

#include <unordered_map>

// What the backend remembers of each window it made, and which foreign windows host them.
struct TX11WindowRecord {
  Window Host = 0;  // a foreign parent, watched for destruction and resizes
  bool FullScreen = false;
  bool TopLevel = false;
  bool FixedSize = false;  // dialogs: the window manager offers no resizing
  bool Popup = false;      // a menu: override-redirect, holding the input while shown
  bool Mapped = false;
  bool FocusWanted = false;  // asked for the focus before it was mapped
  int Width = 0;
  int Height = 0;
  int MinWidth = 0;  // the least size the window manager lets the user give it
  int MinHeight = 0;
};

class TX11WindowTable {
 public:
  void Add(Window window, const TX11WindowRecord& record);
  void Remove(Window window);
  bool Owns(Window window) const { return FWindows.contains(window); }
  // Null for a window we did not make.
  TX11WindowRecord* Find(Window window);
  // The window of ours that `host` carries, or 0.
  Window GuestOf(Window host) const;

 private:
  std::unordered_map<Window, TX11WindowRecord> FWindows;
  std::unordered_map<Window, Window> FGuests;  // host -> our child
};
