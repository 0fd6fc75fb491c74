;;; velune-mode.el --- Velune story files: scenes and the gift list  -*- lexical-binding: t; -*-

;; A major mode for the scene files and the gift list of a Velune story (the .dat files
;; in the dat/ folder of a game folder). Every line is coloured by the kind the game
;; reads it as, the files are read and written as the game wants them (Shift-JIS, or
;; UTF-8 with a byte-order mark; CR LF line ends), and Eglot runs the language server
;; of velune-tool (`velune-tool lsp') for the checker's findings, jumps to scenes and
;; pictures, and completion of their names.
;;
;; Set-up, in your init file:
;;
;;   (add-to-list 'load-path "/usr/share/velune/editors/emacs")
;;   (require 'velune-mode)
;;   (add-hook 'velune-mode-hook #'eglot-ensure)   ; optional: the language server

;;; Code:

(defgroup velune nil
  "Velune story files."
  :group 'languages)

(defconst velune-keywords
  '(("hantei" . ignored) ("img" . picture) ("ending" . ending) ("end" . restart) ("ive" . jump))
  "The keywords the game tests a line for, in the order it tests them.")

(defun velune--keyword-at-second-or-later (line keyword)
  "Non-nil when KEYWORD first appears in LINE at its second character or later."
  (let* ((case-fold-search nil)
         (at (string-match (regexp-quote keyword) line)))
    (and at (> at 0))))

(defun velune-line-kind (line)
  "The kind of LINE as the game reads it: the first test that fits decides."
  (or (cdr (seq-find (lambda (test) (velune--keyword-at-second-or-later line (car test)))
                     velune-keywords))
      (and (string-prefix-p ">" line) 'prompt)
      (and (velune--keyword-at-second-or-later line "p") 'page-break)
      'text))

(defun velune--gift-list-p ()
  "Non-nil when the buffer visits the gift list, dat/lst.dat."
  (and buffer-file-name
       (string-equal (downcase (file-name-nondirectory buffer-file-name)) "lst.dat")
       (string-equal (downcase (file-name-nondirectory
                                (directory-file-name (file-name-directory buffer-file-name))))
                     "dat")))

(defvar-local velune--kinds nil "The kind of each line, as (TICK . VECTOR).")

(defun velune--scene-kinds ()
  "The kind of every line of the scene, as the game reads it from the top.
The three lines after a prompt line are plain values (points, scene for
the right gift, scene otherwise), and nothing after a gift block, a jump,
an ending or a restart is read."
  (let ((tick (buffer-chars-modified-tick)))
    (unless (eql (car velune--kinds) tick)
      (save-excursion
        (save-restriction
          (widen)
          (goto-char (point-min))
          (let ((kinds nil) (gift nil) (unread nil))
            (while (not (eobp))
              (let ((line (buffer-substring-no-properties (line-beginning-position)
                                                          (line-end-position))))
                (push (cond (unread 'unread)
                            (gift (prog1 (pop gift) (unless gift (setq unread t))))
                            (t (let ((kind (velune-line-kind line)))
                                 (pcase kind
                                   ('prompt (setq gift (list 'points 'scene 'scene)))
                                   ((or 'jump 'ending 'restart) (setq unread t)))
                                 kind)))
                      kinds))
              (forward-line 1))
            (setq velune--kinds (cons tick (vconcat (nreverse kinds))))))))
    (cdr velune--kinds)))

(defconst velune-kind-faces
  '((ignored . font-lock-comment-face)
    (picture . font-lock-string-face)
    (ending . font-lock-keyword-face)
    (restart . font-lock-warning-face)
    (jump . font-lock-function-name-face)
    (prompt . font-lock-type-face)
    (page-break . font-lock-constant-face)
    (points . font-lock-constant-face)
    (scene . font-lock-function-name-face)
    (unread . shadow))
  "The face of each kind of line; story text keeps the default face.")

(defun velune--fontify (limit)
  "Colour the lines from point to LIMIT by their kind.
Finds nothing for font-lock: it returns nil."
  (let ((kinds (unless (velune--gift-list-p) (velune--scene-kinds)))
        (n (1- (line-number-at-pos))))
    (goto-char (line-beginning-position))
    (while (< (point) limit)
      (let* ((start (point))
             (end (line-end-position))
             (line (buffer-substring-no-properties start end))
             (kind (if kinds
                       (and (< n (length kinds)) (aref kinds n))
                     ;; The gift list: a present whose name holds a keyword is never
                     ;; asked for, and an empty line is an empty entry.
                     (if (or (string= line "")
                             (string-match-p "hantei\\|img\\|end\\|ive" line))
                         'bad-item 'item)))
             (face (if (eq kind 'bad-item) 'font-lock-warning-face
                     (and (eq kind 'item) 'font-lock-type-face)))
             (face (or face (cdr (assq kind velune-kind-faces)))))
        (when face
          (put-text-property start end 'face face)
          (when (memq kind '(picture jump))
            (put-text-property start (min end (+ start 5)) 'face 'font-lock-preprocessor-face)))
        (forward-line 1)
        (setq n (1+ n))
        (when (eobp) (goto-char limit))))
    nil))

(defun velune-story-file-p (file)
  "Non-nil when FILE is a scene or the gift list.
That is a .dat file in or below a dat/ folder; the pictures in grf/ are
.dat files too, and are left alone."
  (let* ((folders (split-string (file-name-directory (expand-file-name file)) "/" t))
         (dat (seq-position (reverse folders) "dat" (lambda (a b) (string-equal (downcase a) b)))))
    (and dat
         (not (seq-find (lambda (f) (string-equal (downcase f) "grf"))
                        (last folders dat))))))

(defun velune-coding-system (arguments)
  "The coding system of a story file, for `file-coding-system-alist'.
ARGUMENTS are the file operation and its arguments, the file name first.
A file that starts with a byte-order mark is UTF-8, and so is one that is
valid UTF-8 but not ASCII (the checker points it out: the game reads it as
Shift-JIS); everything else is Shift-JIS (code page 932), so that
Japanese typed into a new or an ASCII file reaches the game as written."
  (let ((file (cadr arguments)))
    (if (not (and (stringp file) (file-readable-p file) (velune-story-file-p file)))
        (if (and (stringp file) (velune-story-file-p file)) 'japanese-cp932-dos 'undecided)
      (let ((bytes (with-temp-buffer
                     (set-buffer-multibyte nil)
                     (insert-file-contents-literally file nil 0 65536)
                     (buffer-string))))
        (cond ((string-prefix-p "\357\273\277" bytes) 'utf-8-with-signature)
              ((and (string-match-p "[\200-\377]" bytes)
                    (not (string-match-p "[\x3fff80-\x3fffff]"
                                         (decode-coding-string bytes 'utf-8))))
               'utf-8)
              (t 'japanese-cp932))))))

(defconst velune-file-regexp "/[dD][aA][tT]/\\(?:.*/\\)?[^/]*\\.[dD][aA][tT]\\'"
  "File names of the scenes and the gift list (pictures are sorted out later).")

(add-to-list 'file-coding-system-alist (cons velune-file-regexp #'velune-coding-system))

;;;###autoload
(define-derived-mode velune-mode text-mode "Velune"
  "Major mode for the scene files and the gift list of a Velune story."
  (setq-local font-lock-defaults '(((velune--fontify)) t))
  (setq-local jit-lock-contextually t)
  (setq-local comment-start "#hantei ")
  (setq-local comment-end "")
  (setq-local require-final-newline nil)
  (when (and buffer-file-name (not (file-exists-p buffer-file-name)))
    (setq buffer-file-coding-system 'japanese-cp932-dos)))

(defun velune--maybe-mode ()
  "Turn on `velune-mode' in a story file (not in a picture of grf/)."
  (when (and buffer-file-name (velune-story-file-p buffer-file-name))
    (velune-mode)))

;;;###autoload
(add-to-list 'auto-mode-alist (cons velune-file-regexp #'velune--maybe-mode))

;; The language server: M-x eglot, or eglot-ensure in `velune-mode-hook'. Its project is
;; the game folder (the folder that holds dat/), which Eglot takes from the version
;; control root or the current folder; velune-tool finds the game folder from each file.
(defvar eglot-server-programs)
(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs '(velune-mode "velune-tool" "lsp")))

(provide 'velune-mode)
;;; velune-mode.el ends here
