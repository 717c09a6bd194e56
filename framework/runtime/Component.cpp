#include "framework/runtime/Component.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "framework/runtime/Exceptions.h"

namespace {
bool IsIdentifier(const std::string& text) {
    auto isLetter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || !isLetter(text[0]))
        return false;
    return std::all_of(text.begin() + 1, text.end(),
                       [&](char c) { return isLetter(c) || isDigit(c); });
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("Listenindex \xFC"
                         "berschreitet das Maximum (" +
                         std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* component : components_)
        if (SameText(component->name_, name))
            return component;
    return nullptr;
}

void TComponent::ValidateRename(const std::string& name) const {
    if (!name.empty() && !IsIdentifier(name))
        throw EComponentError("\"" + name + "\" ist kein g\xFCltiger Komponentenname");
    if (owner_ && !name.empty() && !SameText(name, name_) && owner_->FindComponent(name))
        throw EComponentError("Eine Komponente mit der Bezeichnung " + name + " existiert bereits");
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    ValidateRename(name);
    name_ = name;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this)
        return;
    // A name clash in the new owner refuses the move and leaves the old one intact.
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("Eine Komponente mit der Bezeichnung " + component->name_ +
                              " existiert bereits");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this)
        return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found != components_.end())
        components_.erase(found);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    // Detach the whole list first: each destructor then finds no owner and
    // does not walk the list being emptied here.
    std::vector<TComponent*> owned;
    owned.swap(components_);
    for (TComponent* component : owned)
        component->owner_ = nullptr;
    for (TComponent* component : owned)
        delete component;
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* component : components_)
        component->Destroying();
}

void TComponent::BeginLoading() {
    state_.Include(csLoading).Include(csReading);
    for (TComponent* component : components_)
        component->BeginLoading();
}

void TComponent::EndLoading() {
    // By index over the live list: a Loaded handler may add components.
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->EndLoading();
    state_.Exclude(csReading);
    Loaded();
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::Notification(TComponent*, TOperation) {}
