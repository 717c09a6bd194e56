// Root classes of the object model. TObject gives every object a virtual
// destructor; TPersistent adds assignment between objects of compatible kinds.
#pragma once

class TObject {
public:
    virtual ~TObject() = default;

    // The system's name of the object's class, used in error messages.
    // Descendants that appear in such messages override it ("TBitmap").
    virtual const char* ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
public:
    // Copies the state of source into this object. Descendants override it for
    // the sources they understand and call the inherited version otherwise,
    // which raises EConvertError naming both classes. A nullptr source is
    // accepted only by descendants that can be emptied (pictures).
    virtual void Assign(TPersistent* source);

    const char* ClassName() const override { return "TPersistent"; }
};
