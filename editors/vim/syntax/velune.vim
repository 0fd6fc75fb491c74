" Velune story files: every line is coloured by the kind the game reads it as.
"
" The game tests each line of a scene against these kinds in this order, and the first
" that fits wins: ignored line ("hantei"), picture line ("img"), ending line ("ending"),
" restart line ("end"), jump line ("ive"), prompt line (">" first), page break ("p"),
" story text. A keyword counts only where it first appears in the line, and only from the
" second character on: the line must not start with it, and must hold it. Matching is
" case-sensitive. The kinds are defined here from the last test to the first, since of
" two matches that start at the same place the one defined later wins.
"
" The three lines after a prompt line are plain values (points, scene for the right
" gift, scene otherwise), and nothing after a gift block, a jump, an ending line or a
" restart line is ever read.

if exists('b:current_syntax')
  finish
endif

syntax case match
syntax sync fromstart

if expand('%:p:h:t') ==? 'dat' && expand('%:t') ==? 'lst.dat'
  " The gift list: one present a line. A present whose name holds a keyword can never be
  " asked for (its prompt line would be read as another kind of line), and an empty line
  " is an empty entry.
  syntax match veluneItem /^.\+$/
  syntax match veluneItemShadowed /^.*\%(hantei\|img\|end\|ive\).*$/
  syntax match veluneEmptyItem /^$/
  highlight default link veluneItem Type
  highlight default link veluneItemShadowed Error
  highlight default link veluneEmptyItem Error
  let b:current_syntax = 'velune'
  finish
endif

" 8. Story text: no group of its own.

" 7. Page break: a "p" from the second character on.
syntax match velunePageBreak /^\%(p\)\@!.\{-1,}p.*$/

" 6. Prompt line: ">" first, then the item; the line may hold no keyword (the tests
" before it would win).
syntax match velunePromptMark /^>/ contained
syntax match velunePrompt /^>\%(.*\%(hantei\|img\|end\|ive\)\)\@!.*$/
      \ contains=velunePromptMark nextgroup=veluneGiftPoints skipnl
syntax match veluneGiftPoints /^.*$/ contained contains=veluneBadPoints
      \ nextgroup=veluneGiftRight skipnl
syntax match veluneBadPoints /^\%([+-]\=\d\+$\)\@!.*$/ contained
syntax match veluneGiftRight /^.*$/ contained nextgroup=veluneGiftWrong skipnl
syntax match veluneGiftWrong /^.*$/ contained nextgroup=veluneUnread skipnl

" 5. Jump line: the name starts at the sixth character.
syntax match veluneHead /^.\{5}/ contained
syntax match veluneJump /^\%(ive\)\@!.\{-1,}ive.*$/ contains=veluneHead
      \ nextgroup=veluneUnread skipnl

" 4. Restart line.
syntax match veluneRestart /^\%(end\)\@!.\{-1,}end.*$/ nextgroup=veluneUnread skipnl

" 3. Ending line.
syntax match veluneEnding /^\%(ending\)\@!.\{-1,}ending.*$/ nextgroup=veluneUnread skipnl

" 2. Picture line.
syntax match velunePicture /^\%(img\)\@!.\{-1,}img.*$/ contains=veluneHead

" 1. Ignored line: the one way to leave a note.
syntax match veluneIgnored /^\%(hantei\)\@!.\{-1,}hantei.*$/

" Whatever follows a line that leaves the scene.
syntax region veluneUnread start=/^/ end=/\%$/ contained

highlight default link veluneIgnored Comment
highlight default link velunePicture String
highlight default link veluneHead PreProc
highlight default link veluneEnding Statement
highlight default link veluneRestart Exception
highlight default link veluneJump Identifier
highlight default link velunePageBreak Special
highlight default link velunePrompt Type
highlight default link velunePromptMark Operator
highlight default link veluneGiftPoints Number
highlight default link veluneBadPoints WarningMsg
highlight default link veluneGiftRight Identifier
highlight default link veluneGiftWrong Identifier
highlight default link veluneUnread NonText

let b:current_syntax = 'velune'
