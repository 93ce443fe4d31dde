#include "script/lua/Table.h"

#include <cmath>
#include <cstring>

#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Memory.h"
#include "script/lua/State.h"

namespace {

Node* hashpow2(Table* t, lu_hash h) {
  return gnode(t, static_cast<int>(h & static_cast<lu_hash>(sizenode(t) - 1)));
}

// Keys whose hash has little spread in its low bits go by an odd modulus.
Node* hashmod(Table* t, lu_hash h) {
  return gnode(t, static_cast<int>(h % static_cast<lu_hash>((sizenode(t) - 1) | 1)));
}

Node* hashnum(Table* t, lua_Number n) {
  n += 1;  // so that -0 and 0 hash alike
  uint32_t halves[2];
  static_assert(sizeof halves == sizeof n);
  memcpy(halves, &n, sizeof halves);
  return hashmod(t, halves[0] + halves[1]);
}

Node* hashpointer(Table* t, const void* p) {
  return hashmod(t, static_cast<lu_hash>(reinterpret_cast<uintptr_t>(p)));
}

bool numberisint(lua_Number n, int* k) {
  if (!(n >= INT_MIN && n <= INT_MAX)) return false;
  const int i = static_cast<int>(n);
  if (static_cast<lua_Number>(i) != n) return false;
  *k = i;
  return true;
}

// The array index a key would have (1..MAXASIZE), else -1.
int arrayindex(const TObject* key) {
  int k;
  if (ttisnumber(key) && numberisint(nvalue(key), &k) && k >= 1 && k <= MAXASIZE) return k;
  return -1;
}

bool hasdummynode(lua_State* L, const Table* t) { return t->node == G(L)->dummynode; }

// --- Sizes --------------------------------------------------------------------

// Counts of integer keys by slice: slice 0 holds key 1, slice i > 0 the keys
// 2^(i-1)+1 .. 2^i.
struct KeyCensus {
  int slices[MAXBITS + 1] = {};
  int arraykeys = 0;  // keys that could go to an array part
  int total = 0;      // keys with non-nil values
};

int sliceof(int key) { return luaO_log2(static_cast<unsigned>(key - 1)) + 1; }

void countarray(const Table* t, KeyCensus* c) {
  for (int i = 0; i < t->sizearray; i++) {
    if (!ttisnil(&t->array[i])) {
      c->slices[sliceof(i + 1)]++;
      c->arraykeys++;
      c->total++;
    }
  }
}

void countnodes(Node* nodes, int count, KeyCensus* c) {
  for (int i = 0; i < count; i++) {
    if (ttisnil(gval(&nodes[i]))) continue;
    const int k = arrayindex(gkey(&nodes[i]));
    if (k > 0) {
      c->slices[sliceof(k)]++;
      c->arraykeys++;
    }
    c->total++;
  }
}

struct PartSizes {
  int array;
  int hash;  // keys for the hash part
};

// The array part is the largest power of two n of which more than half of
// the keys 1..n are present (none when key 1 alone does not qualify).
PartSizes computesizes(const KeyCensus& c) {
  int arraysize = 0;
  int inarray = 0;
  int counted = 0;
  for (int i = 0; i <= MAXBITS && counted < c.arraykeys; i++) {
    counted += c.slices[i];
    const int slicetop = 1 << i;
    if (c.slices[i] > 0 && counted * 2 > slicetop) {
      arraysize = slicetop;
      inarray = counted;
    }
  }
  return {arraysize, c.total - inarray};
}

// --- Building the parts ---------------------------------------------------------

// A node vector of 2^lsize nodes, or the dummy node for 0.
Node* newnodes(lua_State* L, int lsize) {
  if (lsize == 0) return G(L)->dummynode;
  const int size = 1 << lsize;
  Node* nodes = luaM_newvector<Node>(L, static_cast<size_t>(size));
  for (int i = 0; i < size; i++) {
    setnilvalue(gkey(&nodes[i]));
    setnilvalue(gval(&nodes[i]));
    nodes[i].next = nullptr;
  }
  return nodes;
}

void installnodes(Table* t, Node* nodes, int lsize) {
  t->node = nodes;
  t->lsizenode = static_cast<lu_byte>(lsize);
  t->firstfree = gnode(t, sizenode(t) - 1);
}

void freenodes(lua_State* L, Node* nodes, int lsize) {
  if (nodes != G(L)->dummynode) luaM_freearray(L, nodes, static_cast<size_t>(1) << lsize);
}

void checkhashsize(lua_State* L, int lsize) {
  if (lsize < 0 || lsize > MAXBITS) luaG_runerror(L, "table overflow");
}

// Gives t an array part of nasize slots and a new hash part of 2^lsize nodes,
// then reinserts the array slots that no longer fit (ascending) and the given
// old nodes (descending), and frees the parts it replaced. Everything is
// allocated before anything moves, so a failed allocation leaves the table as
// it was. A growing array part is resized in place: the allocator can often
// extend a large block without copying it.
void resize(lua_State* L, Table* t, int nasize, int lsize, Node* oldnodes, int oldcount) {
  checkhashsize(L, lsize);
  Node* previousnodes = t->node;
  const int previouslsize = t->lsizenode;
  const int oldasize = t->sizearray;
  Node* nodes = newnodes(L, lsize);
  const bool shrinking = nasize < oldasize;
  TObject* shrunk = nullptr;
  try {
    if (shrinking) {
      shrunk = luaM_newvector<TObject>(L, static_cast<size_t>(nasize));
    } else if (nasize > oldasize) {
      luaM_reallocvector(L, t->array, static_cast<size_t>(oldasize), static_cast<size_t>(nasize));
      for (int i = oldasize; i < nasize; i++) setnilvalue(&t->array[i]);
      t->sizearray = nasize;
    }
  } catch (...) {
    freenodes(L, nodes, lsize);
    throw;
  }
  TObject* oldarray = t->array;
  if (shrinking) {
    for (int i = 0; i < nasize; i++) setobj(&shrunk[i], &oldarray[i]);
    t->array = shrunk;
    t->sizearray = nasize;
  }
  installnodes(t, nodes, lsize);
  for (int i = nasize; i < oldasize; i++) {
    if (!ttisnil(&oldarray[i])) setobj(luaH_setnum(L, t, i + 1), &oldarray[i]);
  }
  for (int i = oldcount - 1; i >= 0; i--) {
    Node* old = &oldnodes[i];
    if (!ttisnil(gval(old))) setobj(luaH_set(L, t, gkey(old)), gval(old));
  }
  if (shrinking) luaM_freearray(L, oldarray, static_cast<size_t>(oldasize));
  freenodes(L, previousnodes, previouslsize);
}

// Resizes both parts for the keys now present; the hash part's keys are read
// from oldnodes, which the table may or may not still use.
void rehash(lua_State* L, Table* t, Node* oldnodes, int oldcount) {
  KeyCensus census;
  countarray(t, &census);
  countnodes(oldnodes, oldcount, &census);
  const PartSizes sizes = computesizes(census);
  resize(L, t, sizes.array, luaO_log2(static_cast<unsigned>(sizes.hash)) + 1, oldnodes, oldcount);
}

// Rehash of a table without a hash part, for one new key: the key stands in a
// node of its own as the old hash part.
TObject* newkeyinemptyhash(lua_State* L, Table* t, const TObject* key) {
  Node single;
  setobj(gkey(&single), key);
  setbvalue(gval(&single), 0);  // counted as present while sizes are computed
  single.next = nullptr;
  rehash(L, t, &single, 1);
  TObject* val = const_cast<TObject*>(luaH_get(t, key));
  setnilvalue(val);
  return val;
}

// Moves firstfree down to the next free node; false when none is left.
bool findfreenode(Table* t) {
  for (;;) {
    if (ttisnil(gkey(t->firstfree))) return true;
    if (t->firstfree == t->node) return false;
    t->firstfree--;
  }
}

// Inserts a key that is not in the table. The key goes to its main position;
// when a live key holds it, the one of the two that is not in its own main
// position moves to the first free node. When no free node is left, the
// table is rehashed.
TObject* newkey(lua_State* L, Table* t, const TObject* key) {
  if (hasdummynode(L, t)) return newkeyinemptyhash(L, t, key);
  Node* mp = luaH_mainposition(t, key);
  if (!ttisnil(gval(mp))) {
    Node* othern = luaH_mainposition(t, gkey(mp));
    Node* n = t->firstfree;
    if (othern != mp) {  // the occupant is out of its main position: move it
      while (othern->next != mp) othern = othern->next;
      othern->next = n;
      *n = *mp;
      mp->next = nullptr;
      setnilvalue(gval(mp));
    } else {  // the occupant stays; the new key goes to the free node
      n->next = mp->next;
      mp->next = n;
      mp = n;
    }
  }
  setobj(gkey(mp), key);
  if (findfreenode(t)) return gval(mp);
  setbvalue(gval(mp), 0);  // counted as present while sizes are computed
  try {
    rehash(L, t, t->node, sizenode(t));
  } catch (...) {
    setnilvalue(gval(mp));  // the table stays as it was, the key absent
    throw;
  }
  TObject* val = const_cast<TObject*>(luaH_get(t, key));
  setnilvalue(val);
  return val;
}

// A key cleared earlier and then left dead by the collector keeps its object's
// address; setting that same object again takes the dead node back, so no
// object ever has two nodes in one chain.
TObject* revivedeadkey(Table* t, const TObject* key) {
  if (!iscollectable(key)) return nullptr;
  for (Node* n = luaH_mainposition(t, key); n != nullptr; n = n->next) {
    if (ttype(gkey(n)) == LUA_TDEADKEY && gcvalue(gkey(n)) == gcvalue(key)) {
      setobj(gkey(n), key);
      return gval(n);
    }
  }
  return nullptr;
}

int nodeindex(Table* t, const Node* n) { return static_cast<int>(n - t->node); }

// Position of a key for `next`: -1 for nil, the array index, or sizearray plus
// the node index. A key whose value was cleared is still found (as a dead key
// too, by its object's address).
int findindex(lua_State* L, Table* t, const TObject* key) {
  if (ttisnil(key)) return -1;
  const int k = arrayindex(key);
  if (k > 0 && k <= t->sizearray) return k - 1;
  const Node* dead = nullptr;
  for (Node* n = luaH_mainposition(t, key); n != nullptr; n = n->next) {
    if (luaO_rawequalObj(gkey(n), key)) return t->sizearray + nodeindex(t, n);
    if (dead == nullptr && ttype(gkey(n)) == LUA_TDEADKEY && iscollectable(key) &&
        gcvalue(gkey(n)) == gcvalue(key)) {
      dead = n;
    }
  }
  if (dead != nullptr) return t->sizearray + nodeindex(t, dead);
  luaG_runerror(L, "invalid key for `next'");
}

}  // namespace

Node* luaH_mainposition(Table* t, const TObject* key) {
  switch (ttype(key)) {
    case LUA_TNUMBER:
      return hashnum(t, nvalue(key));
    case LUA_TSTRING:
    case LUA_TWSTRING:
      return hashpow2(t, tsvalue(key)->hash);
    case LUA_TBOOLEAN:
      return hashpow2(t, static_cast<lu_hash>(bvalue(key)));
    case LUA_TLIGHTUSERDATA:
      return hashpointer(t, pvalue(key));
    default:
      return hashpointer(t, gcvalue(key));
  }
}

Table* luaH_new(lua_State* L, size_t narray, int lnhash) {
  if (narray > static_cast<size_t>(MAXASIZE)) luaG_runerror(L, "table overflow");
  checkhashsize(L, lnhash);
  Table* t = luaM_newobject<Table>(L);
  luaC_link(L, t, LUA_TTABLE);
  t->metatable = hvalue(defaultmeta(L));
  t->flags = static_cast<lu_byte>(~0);
  t->array = nullptr;
  t->sizearray = 0;
  installnodes(t, G(L)->dummynode, 0);
  // The table is linked first, so the collector frees it if an allocation fails.
  t->array = luaM_newvector<TObject>(L, narray);
  for (size_t i = 0; i < narray; i++) setnilvalue(&t->array[i]);
  t->sizearray = static_cast<int>(narray);
  installnodes(t, newnodes(L, lnhash), lnhash);
  return t;
}

void luaH_free(lua_State* L, Table* t) {
  freenodes(L, t->node, t->lsizenode);
  luaM_freearray(L, t->array, static_cast<size_t>(t->sizearray));
  luaM_freeobject(L, t);
}

const TObject* luaH_getnum(Table* t, int key) {
  if (static_cast<unsigned>(key) - 1u < static_cast<unsigned>(t->sizearray)) {
    return &t->array[key - 1];
  }
  const lua_Number nk = key;
  for (Node* n = hashnum(t, nk); n != nullptr; n = n->next) {
    if (ttisnumber(gkey(n)) && nvalue(gkey(n)) == nk) return gval(n);
  }
  return &luaO_nilobject;
}

const TObject* luaH_getwstr(Table* t, LString* key) {
  for (Node* n = hashpow2(t, key->hash); n != nullptr; n = n->next) {
    if (ttiswstring(gkey(n)) && tsvalue(gkey(n)) == key) return gval(n);
  }
  return &luaO_nilobject;
}

const TObject* luaH_get(Table* t, const TObject* key) {
  switch (ttype(key)) {
    case LUA_TNIL:
      return &luaO_nilobject;
    case LUA_TSTRING:
      return luaH_getstr(t, tsvalue(key));
    case LUA_TWSTRING:
      return luaH_getwstr(t, tsvalue(key));
    case LUA_TNUMBER: {
      int k;
      if (numberisint(nvalue(key), &k)) return luaH_getnum(t, k);
      break;
    }
    default:
      break;
  }
  for (Node* n = luaH_mainposition(t, key); n != nullptr; n = n->next) {
    if (luaO_rawequalObj(gkey(n), key)) return gval(n);
  }
  return &luaO_nilobject;
}

TObject* luaH_set(lua_State* L, Table* t, const TObject* key) {
  const TObject* p = luaH_get(t, key);
  t->flags = 0;
  if (p != &luaO_nilobject) return const_cast<TObject*>(p);
  if (ttisnil(key)) luaG_runerror(L, "table index is nil");
  if (ttisnumber(key) && std::isnan(nvalue(key))) luaG_runerror(L, "table index is NaN");
  if (TObject* revived = revivedeadkey(t, key)) return revived;
  return newkey(L, t, key);
}

TObject* luaH_setnum(lua_State* L, Table* t, int key) {
  const TObject* p = luaH_getnum(t, key);
  t->flags = 0;
  if (p != &luaO_nilobject) return const_cast<TObject*>(p);
  TObject k;
  setnvalue(&k, key);
  return newkey(L, t, &k);
}

int luaH_next(lua_State* L, Table* t, StkId key) {
  int i = findindex(L, t, key);
  for (i++; i < t->sizearray; i++) {
    if (!ttisnil(&t->array[i])) {
      setnvalue(key, i + 1);
      setobj(key + 1, &t->array[i]);
      return 1;
    }
  }
  for (i -= t->sizearray; i < sizenode(t); i++) {
    Node* n = gnode(t, i);
    if (!ttisnil(gval(n))) {
      setobj(key, gkey(n));
      setobj(key + 1, gval(n));
      return 1;
    }
  }
  return 0;
}
