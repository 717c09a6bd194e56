// The one "set a value" command: an Access trait says how to get and set one
// value of the menu document, and the command swaps it. Consecutive changes
// of the same value merge into one step (the first one's old value is kept),
// and a change that ends where it began is obsolete and dropped.
//
// An Access has: using Value; Value Get(const MenuDocument&) const;
// void Set(MenuDocument&, const Value&) const; int MergeId() const (-1 never
// merges); bool SameTarget(const Access&) const; DesignChange Change() const.
#pragma once

#include <string>
#include <utility>

#include "authoring/MenuDocument.h"
#include "designer/model/Command.h"

template <class Access> class TChangeValue : public TCommand {
public:
    using Value = typename Access::Value;

    TChangeValue(MenuDocument& menu, Access access, Value value, std::string text)
        : menu_(menu), access_(std::move(access)), old_(access_.Get(menu)), new_(std::move(value)),
          text_(std::move(text)) {}

    void Redo() override { access_.Set(menu_, new_); }
    void Undo() override { access_.Set(menu_, old_); }
    int MergeId() const override { return access_.MergeId(); }
    bool MergeWith(const TCommand& next) override {
        const auto* other = dynamic_cast<const TChangeValue*>(&next);
        if (!other || &other->menu_ != &menu_ || !access_.SameTarget(other->access_))
            return false;
        new_ = other->new_;
        return true;
    }
    bool Obsolete() const override { return old_ == new_; }
    std::string Text() const override { return text_; }
    DesignChange Change() const override { return access_.Change(); }

private:
    MenuDocument& menu_;
    Access access_;
    Value old_;
    Value new_;
    std::string text_;
};
