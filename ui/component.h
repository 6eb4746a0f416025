// The object model that the window and its controls share: components with names, and click-style events.
#pragma once

#include <functional>
#include <string>

namespace qz {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event handler takes the object that fired the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
public:
  explicit TComponent(std::wstring name) : name_(std::move(name)) {}
  const std::wstring& Name() const { return name_; }

private:
  std::wstring name_;
};

}  // namespace qz
