#include "script/lua/Parser.h"

#include <cmath>

#include "script/lua/CodeGenerator.h"
#include "script/lua/Strings.h"

// A block being parsed; a loop is a breakable block holding the block of its
// body. Chained from the innermost outward through FuncState::bl.
struct BlockCnt {
  BlockCnt* previous;
  int breaklist;     // jumps of `break' statements that leave this loop
  int continuelist;  // jumps of `continue' statements that continue this loop
  int nactvar;       // active locals outside this block
  bool upval;        // a local of this block is captured by a nested function
  bool isbreakable;  // the block of a loop
};

namespace {

constexpr int MAXPARAMS = 100;
constexpr int MAXSYNTAXLEVELS = 200;
constexpr int MAXLOOPLEVELS = 100;
// Instructions of a `while' condition, which is moved behind the body.
constexpr int MAXEXPWHILE = 100;
constexpr int UNARY_PRIORITY = 8;

// One more level of nesting while it lives.
class SyntaxLevel {
 public:
  explicit SyntaxLevel(LexState* ls) : mLs(ls) {
    if (++ls->nestlevel > MAXSYNTAXLEVELS) luaX_syntaxerror(ls, "too many syntax levels");
  }
  ~SyntaxLevel() { mLs->nestlevel--; }
  SyntaxLevel(const SyntaxLevel&) = delete;
  SyntaxLevel& operator=(const SyntaxLevel&) = delete;

 private:
  LexState* mLs;
};

// --- Tokens ------------------------------------------------------------------

void next(LexState* ls) { luaX_next(ls); }

[[noreturn]] void error_expected(LexState* ls, int token) {
  luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "`%s' expected", luaX_token2str(ls, token)));
}

bool testnext(LexState* ls, int c) {
  if (ls->t.token != c) return false;
  next(ls);
  return true;
}

void check(LexState* ls, int c) {
  if (ls->t.token != c) error_expected(ls, c);
}

void checknext(LexState* ls, int c) {
  check(ls, c);
  next(ls);
}

void check_condition(LexState* ls, bool condition, const char* msg) {
  if (!condition) luaX_syntaxerror(ls, msg);
}

// The token `what' that closes `who' opened at line `where'.
void check_match(LexState* ls, int what, int who, int where) {
  if (testnext(ls, what)) return;
  if (where == ls->linenumber) error_expected(ls, what);
  luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "`%s' expected (to close `%s' at line %d)",
                                        luaX_token2str(ls, what), luaX_token2str(ls, who),
                                        where));
}

LString* str_checkname(LexState* ls) {
  check_condition(ls, ls->t.token == TK_NAME, "<name> expected");
  LString* ts = ls->t.seminfo.ts;
  next(ls);
  return ts;
}

void codestring(LexState* ls, expdesc* e, LString* s) {
  init_exp(e, VK, luaK_stringK(ls->fs, s));
}

void checkname(LexState* ls, expdesc* e) { codestring(ls, e, str_checkname(ls)); }

bool block_follow(int token) {
  switch (token) {
    case TK_ELSE:
    case TK_ELSEIF:
    case TK_END:
    case TK_UNTIL:
    case TK_EOS:
      return true;
    default:
      return false;
  }
}

// --- Local variables and upvalues ----------------------------------------------

int registerlocalvar(LexState* ls, LString* varname) {
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  luaK_growvector(fs, f->locvars, fs->nlocvars, f->sizelocvars, MAX_INT,
                  "too many local variables");
  f->locvars[fs->nlocvars].varname = varname;
  return fs->nlocvars++;
}

LocVar& getlocvar(FuncState* fs, int i) { return fs->f->locvars[fs->actvar[i]]; }

// Declares local number n after the active ones; it becomes active through
// adjustlocalvars.
void new_localvar(LexState* ls, LString* name, int n) {
  FuncState* fs = ls->fs;
  luaX_checklimit(ls, fs->nactvar + n + 1, MAXVARS, "local variables");
  fs->actvar[fs->nactvar + n] = registerlocalvar(ls, name);
}

void new_localvarstr(LexState* ls, const char* name, int n) {
  new_localvar(ls, luaS_new(ls->L, name), n);
}

void adjustlocalvars(LexState* ls, int nvars) {
  FuncState* fs = ls->fs;
  fs->nactvar += nvars;
  for (; nvars > 0; nvars--) getlocvar(fs, fs->nactvar - nvars).startpc = fs->pc;
}

void create_local(LexState* ls, const char* name) {
  new_localvarstr(ls, name, 0);
  adjustlocalvars(ls, 1);
}

void removevars(LexState* ls, int tolevel) {
  FuncState* fs = ls->fs;
  while (fs->nactvar > tolevel) getlocvar(fs, --fs->nactvar).endpc = fs->pc;
}

int indexupvalue(FuncState* fs, LString* name, const expdesc* v) {
  Proto* f = fs->f;
  for (int i = 0; i < f->nups; i++) {
    if (fs->upvalues[i].k == v->k && fs->upvalues[i].info == v->info) return i;
  }
  luaX_checklimit(fs->ls, f->nups + 1, MAXUPVALUES, "upvalues");
  luaK_growvector(fs, f->upvalues, f->nups, f->sizeupvalues, MAXUPVALUES, "upvalues");
  f->upvalues[f->nups] = name;
  fs->upvalues[f->nups] = *v;
  return f->nups++;
}

int searchvar(FuncState* fs, const LString* name) {
  for (int i = fs->nactvar - 1; i >= 0; i--) {
    if (getlocvar(fs, i).varname == name) return i;
  }
  return -1;
}

// The local at register level is captured: its block must close it.
void markupval(FuncState* fs, int level) {
  BlockCnt* bl = fs->bl;
  while (bl != nullptr && bl->nactvar > level) bl = bl->previous;
  if (bl != nullptr) bl->upval = true;
}

// Resolves a name in fs and the functions around it: a local of fs, an
// upvalue (a local or upvalue of an enclosing function), else a global. base
// is set for the function where the name is used.
void singlevaraux(FuncState* fs, LString* name, expdesc* var, bool base) {
  if (fs == nullptr) {
    init_exp(var, VGLOBAL, NO_REG);
    return;
  }
  const int v = searchvar(fs, name);
  if (v >= 0) {
    init_exp(var, VLOCAL, v);
    if (!base) markupval(fs, v);
    return;
  }
  singlevaraux(fs->prev, name, var, false);
  if (var->k == VGLOBAL) {
    if (base) var->info = luaK_stringK(fs, name);
  } else {
    var->info = indexupvalue(fs, name, var);
    var->k = VUPVAL;
  }
}

void singlevar(LexState* ls, expdesc* var) {
  singlevaraux(ls->fs, str_checkname(ls), var, true);
}

// Gives nvars variables the values of nexps expressions, the last one in e: a
// call provides the missing values, else nils do.
void adjust_assign(LexState* ls, int nvars, int nexps, expdesc* e) {
  FuncState* fs = ls->fs;
  int extra = nvars - nexps;
  if (e->k == VCALL) {
    extra++;  // the call itself
    if (extra <= 0) {
      extra = 0;
    } else {
      luaK_reserveregs(fs, extra - 1);
    }
    luaK_setcallreturns(fs, e, extra);
    return;
  }
  if (e->k != VVOID) luaK_exp2nextreg(fs, e);
  if (extra > 0) {
    const int reg = fs->freereg;
    luaK_reserveregs(fs, extra);
    luaK_nil(fs, reg, extra);
  }
}

// --- Blocks ----------------------------------------------------------------------

void enterblock(FuncState* fs, BlockCnt* bl, bool isbreakable) {
  bl->breaklist = NO_JUMP;
  bl->continuelist = NO_JUMP;
  bl->isbreakable = isbreakable;
  bl->nactvar = fs->nactvar;
  bl->upval = false;
  bl->previous = fs->bl;
  fs->bl = bl;
}

void leaveblock(FuncState* fs) {
  BlockCnt* bl = fs->bl;
  fs->bl = bl->previous;
  removevars(fs->ls, bl->nactvar);
  if (bl->upval) luaK_codeABC(fs, OP_CLOSE, bl->nactvar, 0, 0);
  fs->freereg = fs->nactvar;
  luaK_patchtohere(fs, bl->breaklist);
}

// --- Functions ---------------------------------------------------------------------

void close_func(LexState* ls) {
  removevars(ls, 0);
  luaK_closefunction(ls);
}

// The closure of the function just compiled (func), with its upvalues named
// by the instructions that follow OP_CLOSURE.
void pushclosure(LexState* ls, FuncState* func, expdesc* v) {
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  luaK_growvector(fs, f->p, fs->np, f->sizep, MAXARG_Bx, "constant table overflow");
  f->p[fs->np++] = func->f;
  init_exp(v, VRELOCABLE, luaK_codeABx(fs, OP_CLOSURE, 0, fs->np - 1));
  for (int i = 0; i < func->f->nups; i++) {
    const OpCode o = func->upvalues[i].k == VLOCAL ? OP_MOVE : OP_GETUPVAL;
    luaK_codeABC(fs, o, 0, func->upvalues[i].info, 0);
  }
}

// --- Grammar -------------------------------------------------------------------------

void chunk(LexState* ls);
void expr(LexState* ls, expdesc* v);

// field -> ['.' | ':'] NAME
void field(LexState* ls, expdesc* v) {
  luaK_exp2anyreg(ls->fs, v);
  next(ls);
  expdesc key;
  checkname(ls, &key);
  luaK_indexed(ls->fs, v, &key);
}

// index -> '[' expr ']'
void yindex(LexState* ls, expdesc* v) {
  next(ls);
  expr(ls, v);
  luaK_exp2val(ls->fs, v);
  checknext(ls, ']');
}

// --- Table constructors ---

struct ConsControl {
  expdesc v;   // the last list item read
  expdesc* t;  // the table
  int nh;      // record items
  int na;      // list items
  int tostore;  // list items waiting for OP_SETLIST
};

// recfield -> (NAME | '[' exp ']') '=' exp
void recfield(LexState* ls, ConsControl* cc) {
  FuncState* fs = ls->fs;
  const int reg = fs->freereg;
  luaX_checklimit(ls, cc->nh, MAX_INT, "items in a constructor");
  cc->nh++;
  expdesc key;
  if (ls->t.token == TK_NAME) {
    checkname(ls, &key);
  } else {
    yindex(ls, &key);
  }
  checknext(ls, '=');
  luaK_exp2RK(fs, &key);
  expdesc val;
  expr(ls, &val);
  luaK_codeABC(fs, OP_SETTABLE, cc->t->info, luaK_exp2RK(fs, &key), luaK_exp2RK(fs, &val));
  fs->freereg = reg;
}

void closelistfield(FuncState* fs, ConsControl* cc) {
  if (cc->v.k == VVOID) return;
  luaK_exp2nextreg(fs, &cc->v);
  cc->v.k = VVOID;
  if (cc->tostore == LFIELDS_PER_FLUSH) {
    luaK_codeABx(fs, OP_SETLIST, cc->t->info, cc->na - 1);
    cc->tostore = 0;
    fs->freereg = cc->t->info + 1;
  }
}

void lastlistfield(FuncState* fs, ConsControl* cc) {
  if (cc->tostore == 0) return;
  if (cc->v.k == VCALL) {  // the call's results are all stored
    luaK_setcallreturns(fs, &cc->v, LUA_MULTRET);
    luaK_codeABx(fs, OP_SETLISTO, cc->t->info, cc->na - 1);
  } else {
    if (cc->v.k != VVOID) luaK_exp2nextreg(fs, &cc->v);
    luaK_codeABx(fs, OP_SETLIST, cc->t->info, cc->na - 1);
  }
  fs->freereg = cc->t->info + 1;
}

void listfield(LexState* ls, ConsControl* cc) {
  expr(ls, &cc->v);
  luaX_checklimit(ls, cc->na, MAXARG_Bx, "items in a constructor");
  cc->na++;
  cc->tostore++;
}

// The number literal after `&': a size, truncated toward zero and kept
// between 0 and MAX_INT (checked before the conversion). Sizes beyond what a
// table can hold stay large, so creating the table raises "table overflow".
int sizehint(LexState* ls) {
  if (ls->t.token != TK_NUMBER) {
    luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "size expected following & (line %d)",
                                          ls->linenumber));
  }
  const lua_Number r = ls->t.seminfo.r;
  next(ls);
  if (!(r > 0)) return 0;
  return r < MAX_INT ? static_cast<int>(r) : MAX_INT;
}

// constructor -> '{' [& size [& size]] [';'] [ field { fieldsep field } [fieldsep] ] '}'
void constructor(LexState* ls, expdesc* t) {
  FuncState* fs = ls->fs;
  const int line = ls->linenumber;
  const int pc = luaK_codeABC(fs, OP_NEWTABLE, 0, 0, 0);
  ConsControl cc;
  cc.na = cc.nh = cc.tostore = 0;
  cc.t = t;
  init_exp(t, VRELOCABLE, pc);
  init_exp(&cc.v, VVOID, 0);
  luaK_exp2nextreg(fs, t);  // the table sits at the top
  checknext(ls, '{');
  int hashhint = 0;
  int arrayhint = 0;
  if (testnext(ls, '&')) {
    hashhint = sizehint(ls);
    if (testnext(ls, '&')) arrayhint = sizehint(ls);
  }
  do {
    testnext(ls, ';');
    if (ls->t.token == '}') break;
    closelistfield(fs, &cc);
    switch (ls->t.token) {
      case TK_NAME:  // a list item unless `=' follows
        luaX_lookahead(ls);
        if (ls->lookahead.token != '=') {
          listfield(ls, &cc);
        } else {
          recfield(ls, &cc);
        }
        break;
      case '[':
        recfield(ls, &cc);
        break;
      default:
        listfield(ls, &cc);
        break;
    }
  } while (testnext(ls, ',') || testnext(ls, ';'));
  check_match(ls, '}', '{', line);
  lastlistfield(fs, &cc);
  const int narray = cc.na > arrayhint ? cc.na : arrayhint;
  const int nhash = cc.nh > hashhint ? cc.nh : hashhint;
  SETARG_B(fs->f->code[pc], luaO_int2fb(static_cast<unsigned>(narray)));
  SETARG_C(fs->f->code[pc], luaO_log2(static_cast<unsigned>(nhash)) + 1);
}

// --- Function bodies ---

void code_params(LexState* ls, int nparams, bool dots) {
  FuncState* fs = ls->fs;
  adjustlocalvars(ls, nparams);
  luaX_checklimit(ls, fs->nactvar, MAXPARAMS, "parameters");
  fs->f->numparams = static_cast<lu_byte>(fs->nactvar);
  fs->f->is_vararg = dots;
  if (dots) create_local(ls, "arg");
  luaK_reserveregs(fs, fs->nactvar);
}

// parlist -> [ param { ',' param } ]
void parlist(LexState* ls) {
  int nparams = 0;
  bool dots = false;
  if (ls->t.token != ')') {
    do {
      switch (ls->t.token) {
        case TK_DOTS:
          dots = true;
          next(ls);
          break;
        case TK_NAME:
          new_localvar(ls, str_checkname(ls), nparams++);
          break;
        default:
          luaX_syntaxerror(ls, "<name> or `...' expected");
      }
    } while (!dots && testnext(ls, ','));
  }
  code_params(ls, nparams, dots);
}

// body -> '(' parlist ')' chunk END
void body(LexState* ls, expdesc* e, bool needself, int line) {
  SyntaxLevel level(ls);
  FuncState new_fs;
  luaK_openfunction(ls, &new_fs);
  new_fs.f->lineDefined = line;
  checknext(ls, '(');
  if (needself) create_local(ls, "self");
  parlist(ls);
  checknext(ls, ')');
  chunk(ls);
  check_match(ls, TK_END, TK_FUNCTION, line);
  close_func(ls);
  pushclosure(ls, &new_fs, e);
}

// explist1 -> expr { ',' expr }; returns the number of expressions, the last in v
int explist1(LexState* ls, expdesc* v) {
  int n = 1;
  expr(ls, v);
  while (testnext(ls, ',')) {
    luaK_exp2nextreg(ls->fs, v);
    expr(ls, v);
    n++;
  }
  return n;
}

// funcargs -> '(' [ explist1 ] ')' | constructor | STRING
void funcargs(LexState* ls, expdesc* f) {
  FuncState* fs = ls->fs;
  expdesc args;
  const int line = ls->linenumber;
  switch (ls->t.token) {
    case '(':
      if (line != ls->lastline) {
        luaX_syntaxerror(ls, "ambiguous syntax (function call x new statement)");
      }
      next(ls);
      if (ls->t.token == ')') {
        args.k = VVOID;
      } else {
        explist1(ls, &args);
        luaK_setcallreturns(fs, &args, LUA_MULTRET);
      }
      check_match(ls, ')', '(', line);
      break;
    case '{':
      constructor(ls, &args);
      break;
    case TK_STRING:
      codestring(ls, &args, ls->t.seminfo.ts);
      next(ls);
      break;
    default:  // a wide string must be passed in parentheses
      luaX_syntaxerror(ls, "function arguments expected");
  }
  const int base = f->info;
  int nparams;
  if (args.k == VCALL) {
    nparams = LUA_MULTRET;  // up to the top
  } else {
    if (args.k != VVOID) luaK_exp2nextreg(fs, &args);
    nparams = fs->freereg - (base + 1);
  }
  init_exp(f, VCALL, luaK_codeABC(fs, OP_CALL, base, nparams + 1, 2));
  luaK_fixline(fs, line);
  fs->freereg = base + 1;  // the call leaves one result unless told otherwise
}

// --- Expressions ---

// prefixexp -> NAME | '(' expr ')'
void prefixexp(LexState* ls, expdesc* v) {
  switch (ls->t.token) {
    case '(': {
      const int line = ls->linenumber;
      next(ls);
      expr(ls, v);
      check_match(ls, ')', '(', line);
      luaK_dischargevars(ls->fs, v);
      return;
    }
    case TK_NAME:
      singlevar(ls, v);
      return;
    default:
      luaX_syntaxerror(ls, "unexpected symbol");
  }
}

// primaryexp -> prefixexp { '.' NAME | '[' exp ']' | ':' NAME funcargs | funcargs }
void primaryexp(LexState* ls, expdesc* v) {
  FuncState* fs = ls->fs;
  prefixexp(ls, v);
  for (;;) {
    switch (ls->t.token) {
      case '.':
        field(ls, v);
        break;
      case '[': {
        luaK_exp2anyreg(fs, v);
        expdesc key;
        yindex(ls, &key);
        luaK_indexed(fs, v, &key);
        break;
      }
      case ':': {
        next(ls);
        expdesc key;
        checkname(ls, &key);
        luaK_self(fs, v, &key);
        funcargs(ls, v);
        break;
      }
      case '(':
      case TK_STRING:
      case TK_WSTRING:
      case '{':
        luaK_exp2nextreg(fs, v);
        funcargs(ls, v);
        break;
      default:
        return;
    }
  }
}

// simpleexp -> NUMBER | STRING | WSTRING | NIL | TRUE | FALSE | constructor
//              | FUNCTION body | primaryexp
void simpleexp(LexState* ls, expdesc* v) {
  switch (ls->t.token) {
    case TK_NUMBER:
      init_exp(v, VK, luaK_numberK(ls->fs, ls->t.seminfo.r));
      break;
    case TK_STRING:
      codestring(ls, v, ls->t.seminfo.ts);
      break;
    case TK_WSTRING:
      init_exp(v, VK, luaK_wstringK(ls->fs, ls->t.seminfo.ts));
      break;
    case TK_NIL:
      init_exp(v, VNIL, 0);
      break;
    case TK_TRUE:
      init_exp(v, VTRUE, 0);
      break;
    case TK_FALSE:
      init_exp(v, VFALSE, 0);
      break;
    case '{':
      constructor(ls, v);
      return;
    case TK_FUNCTION:
      next(ls);
      body(ls, v, false, ls->linenumber);
      return;
    default:
      primaryexp(ls, v);
      return;
  }
  next(ls);
}

UnOpr getunopr(int op) {
  switch (op) {
    case TK_NOT:
      return OPR_NOT;
    case '-':
      return OPR_MINUS;
    default:
      return OPR_NOUNOPR;
  }
}

BinOpr getbinopr(int op) {
  switch (op) {
    case '+': return OPR_ADD;
    case '-': return OPR_SUB;
    case '*': return OPR_MULT;
    case '/': return OPR_DIV;
    case '&': return OPR_BAND;
    case '|': return OPR_BOR;
    case TK_SHL: return OPR_SHL;
    case TK_SHR: return OPR_SHR;
    case '^': return OPR_POW;
    case TK_CONCAT: return OPR_CONCAT;
    case TK_NE: return OPR_NE;
    case TK_EQ: return OPR_EQ;
    case '<': return OPR_LT;
    case TK_LE: return OPR_LE;
    case '>': return OPR_GT;
    case TK_GE: return OPR_GE;
    case TK_AND: return OPR_AND;
    case TK_OR: return OPR_OR;
    default: return OPR_NOBINOPR;
  }
}

// Left and right priority of each infix operator, in BinOpr order.
constexpr struct {
  int left;
  int right;
} kPriority[] = {
    {6, 6}, {6, 6}, {7, 7}, {7, 7},    // + - * /
    {8, 8}, {8, 8}, {8, 8}, {8, 8},    // & | << >>
    {10, 9}, {5, 4},                   // ^ .. (right associative)
    {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3},  // ~= == < <= > >=
    {2, 2}, {1, 1}                     // and or
};

// subexpr -> (simpleexp | unop subexpr) { binop subexpr }, taking operators
// whose left priority is above limit; returns the first operator not taken.
BinOpr subexpr(LexState* ls, expdesc* v, int limit) {
  SyntaxLevel level(ls);
  const UnOpr uop = getunopr(ls->t.token);
  if (uop != OPR_NOUNOPR) {
    next(ls);
    subexpr(ls, v, UNARY_PRIORITY);
    luaK_prefix(ls->fs, uop, v);
  } else {
    simpleexp(ls, v);
  }
  BinOpr op = getbinopr(ls->t.token);
  while (op != OPR_NOBINOPR && kPriority[op].left > limit) {
    next(ls);
    luaK_infix(ls->fs, op, v);
    expdesc v2;
    const BinOpr nextop = subexpr(ls, &v2, kPriority[op].right);
    luaK_posfix(ls->fs, op, v, &v2);
    op = nextop;
  }
  return op;
}

void expr(LexState* ls, expdesc* v) { subexpr(ls, v, 0); }

// --- Statements ------------------------------------------------------------------------

// block -> chunk
void block(LexState* ls) {
  FuncState* fs = ls->fs;
  BlockCnt bl;
  enterblock(fs, &bl, false);
  chunk(ls);
  leaveblock(fs);
}

// The targets of a multiple assignment, the last one parsed first in the list.
struct LHS_assign {
  LHS_assign* prev;
  expdesc v;
};

// In `a[i], i = ...' the table or key register of an earlier target may be a
// local that a later target assigns; such a target reads a copy made first.
void check_conflict(LexState* ls, LHS_assign* lh, const expdesc* v) {
  FuncState* fs = ls->fs;
  const int extra = fs->freereg;
  bool conflict = false;
  for (; lh != nullptr; lh = lh->prev) {
    if (lh->v.k != VINDEXED) continue;
    if (lh->v.info == v->info) {
      conflict = true;
      lh->v.info = extra;
    }
    if (lh->v.aux == v->info) {
      conflict = true;
      lh->v.aux = extra;
    }
  }
  if (conflict) {
    luaK_codeABC(fs, OP_MOVE, fs->freereg, v->info, 0);
    luaK_reserveregs(fs, 1);
  }
}

void assignment(LexState* ls, LHS_assign* lh, int nvars) {
  check_condition(ls, lh->v.k >= VLOCAL && lh->v.k <= VINDEXED, "syntax error");
  expdesc e;
  if (testnext(ls, ',')) {  // assignment -> ',' primaryexp assignment
    SyntaxLevel level(ls);
    LHS_assign nv;
    nv.prev = lh;
    primaryexp(ls, &nv.v);
    if (nv.v.k == VLOCAL) check_conflict(ls, lh, &nv.v);
    assignment(ls, &nv, nvars + 1);
  } else {  // assignment -> '=' explist1
    checknext(ls, '=');
    const int nexps = explist1(ls, &e);
    if (nexps == nvars) {
      luaK_setcallreturns(ls->fs, &e, 1);
      luaK_storevar(ls->fs, &lh->v, &e);
      return;
    }
    adjust_assign(ls, nvars, nexps, &e);
    if (nexps > nvars) ls->fs->freereg -= nexps - nvars;  // drop the extra values
  }
  init_exp(&e, VNONRELOC, ls->fs->freereg - 1);  // the value for this target
  luaK_storevar(ls->fs, &lh->v, &e);
}

// cond -> exp; falls through when true, returns the jumps taken when false
int cond(LexState* ls) {
  expdesc v;
  expr(ls, &v);
  luaK_goiftrue(ls->fs, &v);
  luaK_patchtohere(ls->fs, v.t);
  return v.f;
}

// The loop level after `break' or `continue': a number literal from 1 to 100
// (checked before its conversion), 1 when none is given.
int looplevel(LexState* ls) {
  if (ls->t.token != TK_NUMBER) return 1;
  const lua_Number r = ls->t.seminfo.r;
  check_condition(ls, r == std::floor(r), "loop block number must be integer");
  check_condition(ls, r >= 1 && r <= MAXLOOPLEVELS, "loop block number out of range");
  next(ls);
  return static_cast<int>(r);
}

// break [N] / continue [N]: closes the captured locals of every block left
// and jumps to the N-th enclosing loop's exit or continuation.
void loopjump(LexState* ls, bool isbreak) {
  FuncState* fs = ls->fs;
  next(ls);
  const int level = looplevel(ls);
  bool upval = false;
  int loops = 0;
  BlockCnt* bl = fs->bl;
  for (; bl != nullptr; bl = bl->previous) {
    if (!bl->isbreakable) {
      upval |= bl->upval;
    } else if (++loops == level) {
      break;
    }
  }
  if (bl == nullptr) luaX_syntaxerror(ls, isbreak ? "no loop to break" : "no loop to continue");
  if (upval) luaK_codeABC(fs, OP_CLOSE, bl->nactvar, 0, 0);
  luaK_concat(fs, isbreak ? &bl->breaklist : &bl->continuelist, luaK_jump(fs));
}

// whilestat -> WHILE cond DO block END. The condition is compiled first, then
// moved behind the body, which it jumps back into while true.
void whilestat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  next(ls);
  const int whileinit = luaK_jump(fs);  // to the condition
  const int expinit = luaK_getlabel(fs);
  expdesc v;
  expr(ls, &v);
  const int lineexp = ls->linenumber;
  luaK_goiffalse(fs, &v);
  luaK_concat(fs, &v.f, fs->jpc);
  fs->jpc = NO_JUMP;
  const int sizeexp = fs->pc - expinit;
  if (sizeexp > MAXEXPWHILE) luaX_syntaxerror(ls, "`while' condition too complex");
  Instruction codeexp[MAXEXPWHILE];
  for (int i = 0; i < sizeexp; i++) codeexp[i] = fs->f->code[expinit + i];
  fs->pc = expinit;
  BlockCnt bl;
  enterblock(fs, &bl, true);
  checknext(ls, TK_DO);
  const int blockinit = luaK_getlabel(fs);
  block(ls);
  luaK_patchtohere(fs, whileinit);
  luaK_patchtohere(fs, bl.continuelist);
  const int moved = fs->pc - expinit;
  if (v.t != NO_JUMP) v.t += moved;
  if (v.f != NO_JUMP) v.f += moved;
  for (int i = 0; i < sizeexp; i++) luaK_code(fs, codeexp[i], lineexp);
  check_match(ls, TK_END, TK_WHILE, line);
  leaveblock(fs);
  luaK_patchlist(fs, v.t, blockinit);  // true: back into the body
  luaK_patchtohere(fs, v.f);           // false: out of the loop
}

// repeatstat -> REPEAT block UNTIL cond; the condition does not see the
// body's locals.
void repeatstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  const int repeat_init = luaK_getlabel(fs);
  BlockCnt bl;
  enterblock(fs, &bl, true);
  next(ls);
  block(ls);
  luaK_patchtohere(fs, bl.continuelist);
  check_match(ls, TK_UNTIL, TK_REPEAT, line);
  luaK_patchlist(fs, cond(ls), repeat_init);
  leaveblock(fs);
}

// exp1 -> expr, into the next register
void exp1(LexState* ls) {
  expdesc e;
  expr(ls, &e);
  luaK_exp2nextreg(ls->fs, &e);
}

// The body of a `for' whose nvars control variables start at base; the jump
// (or OP_TFORPREP) just before it goes to the loop instruction.
void forbody(LexState* ls, int base, int line, int nvars, bool isnum) {
  FuncState* fs = ls->fs;
  adjustlocalvars(ls, nvars);
  checknext(ls, TK_DO);
  BlockCnt bl;
  enterblock(fs, &bl, true);
  const int prep = luaK_getlabel(fs);
  block(ls);
  luaK_patchtohere(fs, prep - 1);
  luaK_patchtohere(fs, bl.continuelist);
  const int endfor = isnum ? luaK_codeAsBx(fs, OP_FORLOOP, base, NO_JUMP)
                           : luaK_codeABC(fs, OP_TFORLOOP, base, 0, nvars - 3);
  luaK_fixline(fs, line);  // the loop instruction belongs to the `for' line
  luaK_patchlist(fs, isnum ? endfor : luaK_jump(fs), prep);
  leaveblock(fs);
}

// fornum -> NAME = exp1, exp1 [, exp1] DO body
void fornum(LexState* ls, LString* varname, int line) {
  FuncState* fs = ls->fs;
  const int base = fs->freereg;
  new_localvar(ls, varname, 0);
  new_localvarstr(ls, "(for limit)", 1);
  new_localvarstr(ls, "(for step)", 2);
  checknext(ls, '=');
  exp1(ls);
  checknext(ls, ',');
  exp1(ls);
  if (testnext(ls, ',')) {
    exp1(ls);
  } else {
    luaK_codeABx(fs, OP_LOADK, fs->freereg, luaK_numberK(fs, 1));
    luaK_reserveregs(fs, 1);
  }
  luaK_codeABC(fs, OP_SUB, fs->freereg - 3, fs->freereg - 3, fs->freereg - 1);
  luaK_jump(fs);
  forbody(ls, base, line, 3, true);
}

// forlist -> NAME {, NAME} IN explist1 DO body
void forlist(LexState* ls, LString* indexname) {
  FuncState* fs = ls->fs;
  const int base = fs->freereg;
  int nvars = 0;
  new_localvarstr(ls, "(for generator)", nvars++);
  new_localvarstr(ls, "(for state)", nvars++);
  new_localvar(ls, indexname, nvars++);
  while (testnext(ls, ',')) new_localvar(ls, str_checkname(ls), nvars++);
  checknext(ls, TK_IN);
  const int line = ls->linenumber;
  expdesc e;
  adjust_assign(ls, nvars, explist1(ls, &e), &e);
  luaK_checkstack(fs, 3);  // room to call the generator
  luaK_codeAsBx(fs, OP_TFORPREP, base, NO_JUMP);
  forbody(ls, base, line, nvars, false);
}

// forstat -> FOR (fornum | forlist) END; the control variables live in a
// block around the loop.
void forstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  BlockCnt bl;
  enterblock(fs, &bl, false);
  next(ls);
  LString* varname = str_checkname(ls);
  switch (ls->t.token) {
    case '=':
      fornum(ls, varname, line);
      break;
    case ',':
    case TK_IN:
      forlist(ls, varname);
      break;
    default:
      luaX_syntaxerror(ls, "`=' or `in' expected");
  }
  check_match(ls, TK_END, TK_FOR, line);
  leaveblock(fs);
}

// [IF | ELSEIF] cond THEN block; returns the jumps taken when false
int test_then_block(LexState* ls) {
  next(ls);
  const int flist = cond(ls);
  checknext(ls, TK_THEN);
  block(ls);
  return flist;
}

// ifstat -> IF cond THEN block {ELSEIF cond THEN block} [ELSE block] END
void ifstat(LexState* ls, int line) {
  FuncState* fs = ls->fs;
  int escapelist = NO_JUMP;
  int flist = test_then_block(ls);
  while (ls->t.token == TK_ELSEIF) {
    luaK_concat(fs, &escapelist, luaK_jump(fs));
    luaK_patchtohere(fs, flist);
    flist = test_then_block(ls);
  }
  if (ls->t.token == TK_ELSE) {
    luaK_concat(fs, &escapelist, luaK_jump(fs));
    luaK_patchtohere(fs, flist);
    next(ls);
    block(ls);
  } else {
    luaK_concat(fs, &escapelist, flist);
  }
  luaK_patchtohere(fs, escapelist);
  check_match(ls, TK_END, TK_IF, line);
}

void localfunc(LexState* ls) {
  FuncState* fs = ls->fs;
  new_localvar(ls, str_checkname(ls), 0);
  expdesc v;
  init_exp(&v, VLOCAL, fs->freereg);
  luaK_reserveregs(fs, 1);
  adjustlocalvars(ls, 1);
  expdesc b;
  body(ls, &b, false, ls->linenumber);
  luaK_storevar(fs, &v, &b);
  // debug information sees the variable only from here on
  getlocvar(fs, fs->nactvar - 1).startpc = fs->pc;
}

// localstat -> LOCAL NAME {',' NAME} ['=' explist1]
void localstat(LexState* ls) {
  int nvars = 0;
  do {
    new_localvar(ls, str_checkname(ls), nvars++);
  } while (testnext(ls, ','));
  expdesc e;
  int nexps = 0;
  if (testnext(ls, '=')) {
    nexps = explist1(ls, &e);
  } else {
    e.k = VVOID;
  }
  adjust_assign(ls, nvars, nexps, &e);
  adjustlocalvars(ls, nvars);
}

// funcname -> NAME {'.' NAME} [':' NAME]; true for a method
bool funcname(LexState* ls, expdesc* v) {
  singlevar(ls, v);
  while (ls->t.token == '.') field(ls, v);
  if (ls->t.token != ':') return false;
  field(ls, v);
  return true;
}

// funcstat -> FUNCTION funcname body
void funcstat(LexState* ls, int line) {
  next(ls);
  expdesc v;
  const bool needself = funcname(ls, &v);
  expdesc b;
  body(ls, &b, needself, line);
  luaK_storevar(ls->fs, &v, &b);
  luaK_fixline(ls->fs, line);  // the definition belongs to its first line
}

// exprstat -> func | assignment
void exprstat(LexState* ls) {
  LHS_assign v;
  primaryexp(ls, &v.v);
  if (v.v.k == VCALL) {
    luaK_setcallreturns(ls->fs, &v.v, 0);  // a call statement keeps no result
  } else {
    v.prev = nullptr;
    assignment(ls, &v, 1);
  }
}

// retstat -> RETURN [explist1]
void retstat(LexState* ls) {
  FuncState* fs = ls->fs;
  next(ls);
  int first = 0;
  int nret = 0;
  if (!block_follow(ls->t.token) && ls->t.token != ';') {
    expdesc e;
    nret = explist1(ls, &e);
    if (e.k == VCALL) {
      luaK_setcallreturns(fs, &e, LUA_MULTRET);
      if (nret == 1) SET_OPCODE(getcode(fs, &e), OP_TAILCALL);
      first = fs->nactvar;
      nret = LUA_MULTRET;
    } else if (nret == 1) {
      first = luaK_exp2anyreg(fs, &e);
    } else {
      luaK_exp2nextreg(fs, &e);  // the values go to consecutive registers
      first = fs->nactvar;
    }
  }
  luaK_codeABC(fs, OP_RETURN, first, nret + 1, 0);
}

// Returns true for the statements that must end their block.
bool statement(LexState* ls) {
  SyntaxLevel level(ls);
  const int line = ls->linenumber;
  switch (ls->t.token) {
    case TK_IF:
      ifstat(ls, line);
      return false;
    case TK_WHILE:
      whilestat(ls, line);
      return false;
    case TK_DO:
      next(ls);
      block(ls);
      check_match(ls, TK_END, TK_DO, line);
      return false;
    case TK_FOR:
      forstat(ls, line);
      return false;
    case TK_REPEAT:
      repeatstat(ls, line);
      return false;
    case TK_FUNCTION:
      funcstat(ls, line);
      return false;
    case TK_LOCAL:
      next(ls);
      if (testnext(ls, TK_FUNCTION)) {
        localfunc(ls);
      } else {
        localstat(ls);
      }
      return false;
    case TK_RETURN:
      retstat(ls);
      return true;
    case TK_BREAK:
      loopjump(ls, true);
      return true;
    case TK_CONTINUE:
      loopjump(ls, false);
      return true;
    default:
      exprstat(ls);
      return false;
  }
}

// chunk -> { stat [';'] }
void chunk(LexState* ls) {
  bool islast = false;
  while (!islast && !block_follow(ls->t.token)) {
    islast = statement(ls);
    testnext(ls, ';');
    ls->fs->freereg = ls->fs->nactvar;  // free the registers of the statement
  }
}

}  // namespace

Proto* luaY_parser(lua_State* L, ZIO* z, Mbuffer* buff) {
  LexState lexstate;
  lexstate.buff = buff;
  lexstate.nestlevel = 0;
  luaX_setinput(L, &lexstate, z, luaS_new(L, zname(z)));
  FuncState funcstate;
  luaK_openfunction(&lexstate, &funcstate);
  funcstate.f->is_vararg = 1;
  next(&lexstate);
  chunk(&lexstate);
  check_condition(&lexstate, lexstate.t.token == TK_EOS, "<eof> expected");
  close_func(&lexstate);
  return funcstate.f;
}
