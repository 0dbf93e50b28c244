// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// A program running beside the test, such as the game itself, with extra environment variables
// ("NAME=value", or "-NAME" to remove one); killed if the test ends first.
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Waits up to the given seconds (for ever when negative); true with the exit status (-1:
  // killed by a signal) when the program ended.
  bool WaitExit(double seconds, int* status);
  bool Running() { return !WaitExit(0.0, nullptr); }
  std::string Stdout() const;
  std::string Stderr() const;
  int Pid() const { return m_pid; }

 private:
  std::string m_outPath, m_errPath;
  int m_pid = -1;
  int m_status = -2;  // -2 while it runs
};

struct ProcessResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs a program to its end (see ChildProcess) and collects its output.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& env = {});

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);
