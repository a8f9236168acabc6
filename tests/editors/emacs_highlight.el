;;; emacs_highlight.el --- Emacs with Eglot driving tandrel lsp  -*- lexical-binding: t -*-
;; The language server started by Eglot for a Visual Basic module, the caret put on an "If", and the
;; document highlight asked for as Eglot asks for it. Run with the module as the only file:
;;   TANDREL_EXE=build/default/cli/tandrel emacs --batch -l tests/editors/emacs_highlight.el \
;;     tests/editors/Highlight.bas
;; Prints what the buffer shows and exits with status 0 when it shows the If and its End If, else 1.
(require 'eglot)
(require 'project)

(define-derived-mode tandrel-vb-mode prog-mode "VB" "Visual Basic, as much as this test needs.")
(add-to-list 'eglot-server-programs `(tandrel-vb-mode . (,(getenv "TANDREL_EXE") "lsp")))
;; The module's folder is the project: no version control needed.
(setq project-find-functions (list (lambda (dir) (cons 'transient dir))))

(defun tandrel-place (position)
  "POSITION as 0-based line:column."
  (save-excursion
    (goto-char position)
    (format "%d:%d" (1- (line-number-at-pos)) (current-column))))

(find-file (car command-line-args-left))
(tandrel-vb-mode)
;; What `eglot-ensure' starts after the next command, which a batch session never runs.
(apply #'eglot--connect (eglot--guess-contact))
;; Line 2, column 4: the "If" of "    If a Then".
(goto-char (point-min))
(forward-line 1)
(forward-char 4)
(eglot--highlight-piggyback nil)
(with-timeout (10 (princ "no highlight\n") (kill-emacs 1))
  (while (null eglot--highlights) (accept-process-output nil 0.1)))
(let ((shown (mapconcat (lambda (overlay)
                          (concat (tandrel-place (overlay-start overlay)) "-"
                                  (tandrel-place (overlay-end overlay))))
                        (sort (copy-sequence eglot--highlights)
                              (lambda (a b) (< (overlay-start a) (overlay-start b))))
                        " ")))
  (princ (format "highlighted: %s\n" shown))
  (kill-emacs (if (string= shown "1:4-1:6 3:4-3:10") 0 1)))
