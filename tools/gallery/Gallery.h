#pragma once

// The gallery of every window of the program, drawn without a display: the
// screenshot tool writes them as pictures and the legibility test measures
// them. A window joins the gallery with one line in Gallery.cpp.

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/forms/MainFormView.h"
#include "gui/DialogContext.h"

namespace orvane::gallery {

// A sample program folder (an account with a signature, a template and
// extended headers, attached files) and the main window over it, with
// services that open, copy and ask nothing.
class GallerySession {
 public:
  // Fills programFolder with the samples; the folder must be empty.
  explicit GallerySession(const std::filesystem::path& programFolder);
  ~GallerySession();
  GallerySession(const GallerySession&) = delete;
  GallerySession& operator=(const GallerySession&) = delete;

  TOrvaneMainForm& Form() { return *form_; }
  TOrvaneMainFormView& MainWindow() { return *window_; }
  const IniFileUnit& Settings() const { return form_->Settings(); }
  Prompt& PromptService() { return form_->Services().prompt; }
  // What a dialog of the main window works with; its help opens nothing.
  DialogContext Context();

  // Keeps a window made for the gallery until the session ends.
  template <typename T>
  T* Keep(std::unique_ptr<T> window) {
    T* kept = window.get();
    kept_.push_back(std::move(window));
    return kept;
  }
  // Keeps what a window of the gallery works on (its controller) until the
  // session ends, after the windows have gone.
  template <typename T>
  T& KeepModel(std::unique_ptr<T> model) {
    T& kept = *model;
    models_.push_back(std::shared_ptr<T>(std::move(model)));
    return kept;
  }
  // The main window's menu of that name, opened.
  QWidget* MainMenu(const char* name);

 private:
  struct Services;
  std::unique_ptr<Services> services_;
  std::unique_ptr<TOrvaneMainForm> form_;
  std::unique_ptr<TOrvaneMainFormView> window_;
  std::vector<std::shared_ptr<void>> models_;
  std::vector<std::unique_ptr<QWidget>> kept_;
};

struct GalleryWindow {
  const char* name;
  std::function<QWidget*(GallerySession&)> make;
};

// Every window of the program, the main window first.
std::span<const GalleryWindow> GalleryWindows();

// Makes the named window, shows it and lets it lay itself out; nullptr for
// a name the gallery does not hold.
QWidget* ShowGalleryWindow(GallerySession& session, const std::string& name);

}  // namespace orvane::gallery
