// A window that relabels itself when the user chooses another language.
#pragma once

namespace celvaro {

class iLanguageChangedListener {
 public:
  virtual ~iLanguageChangedListener() = default;
  virtual void languageChanged() = 0;
};

}  // namespace celvaro
