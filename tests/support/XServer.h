// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

class ChildProcess;

// An X server of the test's own (Xvfb), so that the pointer, the keyboard focus and the stacking
// of windows belong to one test, whatever else runs beside it. While the object lives, DISPLAY
// names it for this process and for the programs it starts; the old value comes back after.
class PrivateXServer {
 public:
  PrivateXServer(int width = 1024, int height = 768);
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // False, with the reason in Error(), when the server did not come up.
  bool Ready() const { return !m_display.empty(); }
  const std::string& Display() const { return m_display; }
  const std::string& Error() const { return m_error; }

 private:
  std::unique_ptr<ChildProcess> m_pServer;
  std::string m_display;
  std::string m_error;
  bool m_fHadDisplay = false;
  std::string m_oldDisplay;
};
