// TComponent: the base of everything placed on a form. A component has an
// owner, a name, a tag and a state; it owns the components created with it as
// owner and frees them, in creation order, when it is destroyed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/runtime/Persistent.h"
#include "framework/runtime/Set.h"

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    // A non-null owner takes ownership: it frees this component in its destructor.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // A bad index raises EListError.
    TComponent* Components(int index) const;
    // Case-insensitive search among the owned components; nullptr if none.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return name_; }
    // The name must be empty or an identifier (letter or underscore, then
    // letters, digits, underscores) and unique among the owner's components
    // regardless of case; otherwise EComponentError.
    void SetName(const std::string& name);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }

    // Ownership transfer: InsertComponent makes this component the owner of
    // component (taking it from its previous owner); RemoveComponent gives up
    // ownership without freeing it.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Frees the owned components now, in creation order. Descendants whose
    // owned components still need the descendant's own parts call this first
    // in their destructor.
    void DestroyComponents();

    // Marks this component and its owned components as being read from a
    // stored layout (csLoading, csReading). EndLoading clears csReading and
    // calls Loaded on each of them, owned components first.
    void BeginLoading();
    void EndLoading();

protected:
    // Called once all properties of a stored layout are read; clears csLoading.
    // Descendants do their deferred work here and call the inherited version.
    virtual void Loaded();
    // Sent to an owner when a component is inserted into or removed from its
    // list (not while the owner itself is being destroyed).
    virtual void Notification(TComponent* component, TOperation operation);
    // Sets csDestroying on this component and its owned components.
    void Destroying();

    void IncludeState(TComponentStateItem item) { state_.Include(item); }
    void ExcludeState(TComponentStateItem item) { state_.Exclude(item); }

private:
    void ValidateRename(const std::string& name) const;
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;         // not owned
    std::vector<TComponent*> components_; // owned, in creation order
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
};
